// The window module (tolm32-qt.so, built from ui/qt): the user interface that
// shows windows, loaded on the first call that must show one, so runs that
// show nothing never load the toolkit.
#pragma once

#include "services/seams/user_interface.h"

namespace tolm {

inline constexpr char kWindowModuleFile[] = "tolm32-qt.so";

// Loads the module and returns its user interface. Throws Exception with the
// reason (not found, not loadable, no display) when it cannot.
UserInterface& LoadWindowModule();

}  // namespace tolm
