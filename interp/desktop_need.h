// Whether a run may need the desktop (windows, keys, show modes) or the
// window module (the editor), judged from its text before anything runs.
//
// The program that runs console scripts is linked statically, without the
// dynamic loader, and cannot load modules; a run that may need one is handed
// to the desktop program (tolm32-desktop) before its first command, by exec
// with the same arguments. The judgement errs on the side of the desktop
// program: a false "may need" costs one exec, a false "does not" would fail
// the run.
#pragma once

#include <string>
#include <string_view>

namespace tolm {

// True when text holds a command or option of the desktop or the editor as a
// word ("/activate", "/sendkeys", "/min", ..., any case), or an "@" (a
// nested command file, whose text is not known before it runs).
bool TextMayNeedDesktop(std::string_view text);

// For the program's argument text: the editor (empty text), the text itself
// as a command line, or for a bare command file name the file's contents. A
// file that cannot be read twice (a pipe, a FIFO; never opened here) or
// whose name holds a variable may need it; one that is not there needs
// nothing (the run fails the same way in either program).
bool ArgumentMayNeedDesktop(const std::string& argumentText);

}  // namespace tolm
