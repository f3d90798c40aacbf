// Helpers for the tests that run in the private GNOME session of
// tools/with-gnome.sh: skipping without one, the session's input sources,
// our extension switched off for a while (as a user would), the desktop
// installed for the test's own process, and the installed tolm32.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "support/run_tolm.h"

namespace tolm::testing {

// Whether the private GNOME Shell of tools/with-gnome.sh runs (WAYLAND_DISPLAY,
// DBUS_SESSION_BUS_ADDRESS and TOLM_TEST_COMPOSITOR=headless-gnome); the
// tests that need it skip themselves otherwise.
bool HaveGnomeShell();
#define TOLM_REQUIRE_GNOME()                                                            \
  do {                                                                                  \
    if (!::tolm::testing::HaveGnomeShell()) GTEST_SKIP() << "no headless GNOME session"; \
  } while (0)

// Makes layouts (XKB names, "us" or "us,de") the session's input sources
// (org.gnome.desktop.input-sources) and waits until the seat's keymap has
// them. Throws std::runtime_error when GNOME does not take them.
void SetInputSources(const std::string& layouts);

// The layout in use, as the extension reports it (through gdbus, a tool of
// the session, not the code under test).
std::string ReportedLayoutGroup();

// Disables our extension with gnome-extensions, as a user would, and waits
// until GNOME Shell reports it disabled; enables it again at destruction and
// waits until it is enabled.
class ExtensionDisabled {
 public:
  ExtensionDisabled();
  ~ExtensionDisabled();
  ExtensionDisabled(const ExtensionDisabled&) = delete;
  ExtensionDisabled& operator=(const ExtensionDisabled&) = delete;
};

// Whether the seat has a keyboard (read through a Wayland connection of the
// helper's own).
bool SeatHasKeyboard();

// Opens the GNOME desktop and installs its window system and keyboard.
void InstallGnomeDesktop();

// The window with that title once a search finds it (GNOME Shell lists a
// window once it has shown it), or kNoWindow after 5 seconds.
int64_t ListedWindow(const std::string& title);

// The tolm32 that cmake --install put in TOLM_GNOME_PREFIX (tools/test.sh sets
// it and installs there), empty when it is not set.
std::string InstalledTolm();
#define TOLM_REQUIRE_INSTALLED_TOLM()                                                        \
  do {                                                                                       \
    if (::tolm::testing::InstalledTolm().empty()) GTEST_SKIP() << "TOLM_GNOME_PREFIX is not set"; \
  } while (0)

// Runs a command file (a path) through the installed tolm32 --console, with
// the Wayland test window's folder on PATH.
RunResult RunInstalledScript(const std::string& path, const std::vector<std::string>& env, int timeoutSeconds = 60);

}  // namespace tolm::testing
