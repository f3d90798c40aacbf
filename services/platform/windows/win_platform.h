// Installs the Windows backends: the event pump, the process launcher, the
// process list, and the desktop's windows and keyboard.
#pragma once

namespace tolm {

// Called once by main() on the main thread, before any other thread starts.
void InstallWindowsPlatform();

}  // namespace tolm
