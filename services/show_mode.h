// Show modes of started programs ("/hide", "/min", "/max", "/noactivate").
// The process layer knows which process was started; the window layer knows
// how to find and change its first window. The window layer registers here.
#pragma once

#include <functional>

namespace tolm {

enum ShowMode : int {
  kShowHide = 0,            // "/hide"
  kShowMaximized = 3,       // "/max"
  kShowNormal = 5,          // no option
  kShowMinimized = 6,       // "/min"
  kShowMinNoActivate = 7,   // "/noactivate"
};

using ShowModeHandler = std::function<void(int pid, int showMode)>;

// Called by the process layer right after a start with a mode other than kShowNormal.
void ApplyShowMode(int pid, int showMode);
void SetShowModeHandler(ShowModeHandler handler);

}  // namespace tolm
