// Xlib reports protocol errors through one process-wide handler, and the
// default one ends the program. A window can vanish between being found and
// being acted on, so errors here are expected and never fatal.
#pragma once

namespace tolm {

// Installs the project's handler: it counts errors and lets the program go on.
void InstallX11ErrorHandler();
// Errors seen since the handler was installed (any thread).
unsigned long X11ErrorCount();

}  // namespace tolm
