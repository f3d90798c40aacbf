// Running command text on behalf of a form. Forms live in the window module,
// across a boundary that no exception may cross: this runs the text on the
// program's side and shows a failure in the error box itself.
#pragma once

#include <string>

namespace tolm {

// RunCommandText; a failure of any kind is shown as "TOLM32: " + its message.
void RunCommandTextShowingFailure(const std::string& text) noexcept;

}  // namespace tolm
