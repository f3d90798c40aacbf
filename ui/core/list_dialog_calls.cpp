#include "ui/core/list_dialog_calls.h"

#include <exception>

namespace tolm {
namespace {

template <typename Operation>
std::string FailureOf(Operation operation) noexcept {
  try {
    operation();
    return "";
  } catch (const std::exception& e) {
    return e.what();
  } catch (...) {
    return "unknown failure";
  }
}

}  // namespace

std::string ListDialogActivate(ListDialogModel& model) noexcept {
  return FailureOf([&] { model.OnActivate(); });
}

std::string ListDialogRefreshAll(ListDialogModel& model) noexcept {
  return FailureOf([&] { model.Button2Click(); });
}

std::string ListDialogFind(ListDialogModel& model, UserQuestions& questions) noexcept {
  return FailureOf([&] { model.Button3Click(questions); });
}

}  // namespace tolm
