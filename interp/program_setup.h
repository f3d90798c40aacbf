// What the program's entry point needs of the system it runs on. One
// implementation per system (services/platform/linux/program_setup.cpp,
// services/platform/windows/program_setup.cpp), linked into the program
// only: it is where the program is put together from its parts.
#pragma once

#include "interp/program_options.h"
#include "services/seams/user_interface.h"

namespace tolm {

// Before anything is printed: on Windows, a GUI program has no console of
// its own and takes its parent's.
void PrepareStandardStreams();

// The user interface of this run: text on the console (--console, or no way
// to show windows), or windows, loaded when the first one is shown.
UserInterface& ProgramUserInterface(const ProgramOptions& options);

// Installs the system's services before any thread starts. A check needs
// only the event pump (close requests are served while it parses); a run
// gets the processes and the desktop, which is opened on first use.
void InstallPlatform(bool checkOnly);

}  // namespace tolm
