// Helpers for the tests that run in the private KDE session of
// tools/with-kwin.sh: skipping without one, authorising our programs for
// KWin's fake input the way an installation does, the session's keyboard
// layout, and the desktop installed for the test's own process.
#pragma once

#include <string>

#include "services/seams/desktop.h"

namespace tolm::testing {

// Whether the private KWin of tools/with-kwin.sh runs (WAYLAND_DISPLAY,
// DBUS_SESSION_BUS_ADDRESS and TOLM_TEST_COMPOSITOR=headless-kwin); the tests
// that need it skip themselves otherwise.
bool HaveKWin();
#define TOLM_REQUIRE_KWIN()                                                     \
  do {                                                                          \
    if (!::tolm::testing::HaveKWin()) GTEST_SKIP() << "no headless KWin session"; \
  } while (0)

// Puts the .desktop files of the suite and its key tool into the session
// user's applications folder and runs kbuildsycoca5, unless they are there
// already. Throws std::runtime_error when that fails.
void AuthoriseTestPrograms();

// Makes layouts (XKB names, "us" or "us,de") the session's keyboard layouts
// (kxkbrc, then KWin told to reload it) and waits until KWin reports them.
void SetKeyboardLayouts(const std::string& layouts);

// Opens the KDE desktop and installs its window system and keyboard.
void InstallKdeDesktop();

}  // namespace tolm::testing
