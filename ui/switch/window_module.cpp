#include "ui/switch/window_module.h"

#include <optional>
#include <utility>

#include "services/errors.h"

namespace tolm {
namespace {

std::optional<std::string>& Reported() {
  static std::optional<std::string> failure;
  return failure;
}

}  // namespace

void ReportWindowFailure(const std::string& message) noexcept {
  try {
    if (!Reported()) Reported() = message;  // the first failure is the cause
  } catch (...) {
    // Out of memory while keeping the text: the failure still shows.
    Reported() = std::nullopt;
  }
}

void RaiseReportedWindowFailure() {
  if (!Reported()) return;
  std::string message = std::move(*Reported());
  Reported().reset();
  throw Exception(message);
}

}  // namespace tolm
