// The desktop program: the same interpreter linked dynamically, which loads
// the desktop and window modules. The console program (linked statically,
// for a fast start) hands it every run that may need them.
#pragma once

namespace tolm {

// The desktop program's file name, beside the executable or in lib/tolm.
inline constexpr const char* kDesktopProgramName = "tolm32-desktop";

// Replaces this process with the desktop program, given the same arguments
// (argv[0] included, so the run's title word is the same). Returns only by
// throwing Exception: the program is missing or cannot be started.
[[noreturn]] void ExecDesktopProgram(char** argv);

}  // namespace tolm
