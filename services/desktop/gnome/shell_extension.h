// The client of our GNOME Shell extension (extension/extension.js): its
// interface org.tolm.ShellWindows at /org/tolm/ShellWindows on GNOME Shell's
// bus name. Every call waits at most kShellAnswerTime (gnome_bus.h).
//
// The first call asks the extension's version. When the extension does not
// answer (not installed, not enabled, failed) or answers as another version,
// every call fails with ExtensionUnavailableMessage, from what GNOME Shell's
// own extension interface (org.gnome.Shell.Extensions) says about it.
#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "services/desktop/dbus/dbus_connection.h"
#include "services/desktop/gnome/extension_status.h"
#include "services/desktop/gnome/gnome_bus.h"

namespace tolm {

inline constexpr uint32_t kShellWindowsVersion = 1;

struct ShellWindow {
  uint64_t id = 0;  // Mutter's window id, unique in the session
  std::string title;
  std::string wmClass;  // the app id of a Wayland window, WM_CLASS of an X11 one
  int32_t pid = -1;     // -1: unknown
  bool focused = false;
};

struct ShellWindowList {
  uint64_t changes = 0;  // the extension's change count when it made the list
  std::vector<ShellWindow> windows;  // from the top of the stack to the bottom
};

class ShellExtension {
 public:
  // uuid: the extension's, which a test replaces to see what tolm32 says
  // about one GNOME Shell does not know.
  explicit ShellExtension(DbusConnection& bus, std::string uuid = kExtensionUuid)
      : bus_(bus), uuid_(std::move(uuid)) {}

  // The change count: it differs from an earlier one once the window list has changed.
  uint64_t Changes();
  ShellWindowList List();
  // Activates the window and returns once GNOME Shell has left the overview;
  // false when there is no such window (any more).
  bool Activate(uint64_t id);
  // Asks the window to close; false when there is no such window.
  bool Close(uint64_t id);
  // Returns once the keys Mutter has taken so far have reached their programs.
  void Settle();
  // The keyboard layout (XKB group) in use, nullopt when the extension does
  // not answer (nothing is diagnosed: keys work without it).
  std::optional<uint32_t> LayoutGroup();
  void LockLayoutGroup(uint32_t group);
  // The same without waiting for GNOME Shell, for the end of the program.
  void LockLayoutGroupBeforeExit(uint32_t group, std::chrono::milliseconds limit) noexcept;

  // What GNOME Shell says about the extension (org.gnome.Shell.Extensions).
  ExtensionStatus Status();

 private:
  DbusMessage NewCall(const char* member);
  // Sends the call and returns its reply, checking the extension first;
  // throws Exception with the user's message when it does not answer.
  DbusMessage Call(DbusMessage& call);
  void CheckVersion();
  // A call that failed otherwise: GNOME Shell does not answer, or the
  // extension's own error.
  [[noreturn]] void ThrowFailed(const DbusError& error);
  [[noreturn]] void ThrowUnavailable(unsigned answeredVersion);

  DbusConnection& bus_;
  std::string uuid_;
  bool checked_ = false;  // the extension answered as our version
};

}  // namespace tolm
