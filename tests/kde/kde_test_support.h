// Helpers for the tests that run in the private KDE session of
// tools/with-kwin.sh: skipping without one, authorising our programs for
// KWin's fake input the way an installation does, the session's keyboard
// layout, the desktop installed for the test's own process, and the
// installed tolm32.
#pragma once

#include <string>
#include <vector>

#include "services/seams/desktop.h"
#include "support/run_tolm.h"

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

// The tolm32 that tools/test.sh installed with cmake --install for this
// session, below TOLM_KDE_PREFIX (whose share/ is in the session's
// XDG_DATA_DIRS, so that KWin reads its tolm32-kde.desktop), after
// kbuildsycoca5 has run as a user is told to. Throws std::runtime_error when
// the session has no installed tolm32.
std::string InstalledTolm();

// Runs program --console on a command file (a name in tests/kde/scripts, or
// a path) with the test window's folder on PATH and the extra environment
// entries.
RunResult RunCommandFile(const std::string& program, const std::string& file, const std::vector<std::string>& env = {},
                         int timeoutSeconds = 30);

}  // namespace tolm::testing
