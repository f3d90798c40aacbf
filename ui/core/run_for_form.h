// Running command text on behalf of a form's event handler (the About box's
// link), which must not let a failure escape into the toolkit's event loop:
// the failure is shown in the error box instead.
#pragma once

#include <string>

namespace tolm {

// RunCommandText; a failure of any kind is shown as "TOLM32: " + its message.
void RunCommandTextShowingFailure(const std::string& text) noexcept;

}  // namespace tolm
