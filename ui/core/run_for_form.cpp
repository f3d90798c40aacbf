#include "ui/core/run_for_form.h"

#include <exception>

#include "interp/runner.h"
#include "services/seams/user_interface.h"

namespace tolm {

void RunCommandTextShowingFailure(const std::string& text) noexcept {
  try {
    try {
      RunCommandText(text);
    } catch (const std::exception& e) {
      ShowError(std::string("TOLM32: ") + e.what());
    }
  } catch (...) {
    // The error box itself failed: nothing is left to report with.
  }
}

}  // namespace tolm
