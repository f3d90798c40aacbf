#include "services/desktop/gnome/remote_desktop.h"

#include "services/core/errors.h"
#include "services/desktop/dbus/dbus_values.h"
#include "services/desktop/gnome/gnome_bus.h"

namespace tolm {
namespace {

constexpr const char* kService = "org.gnome.Mutter.RemoteDesktop";
constexpr const char* kSessionInterface = "org.gnome.Mutter.RemoteDesktop.Session";

}  // namespace

void RemoteDesktopSession::Start() {
  if (Started()) return;
  std::string path;
  try {
    DbusMessage create = bus_.NewMethodCall(kService, "/org/gnome/Mutter/RemoteDesktop", kService, "CreateSession");
    DbusMessage reply = bus_.Call(create, kShellAnswerTime);
    path = ReadObjectPath(reply);
    DbusMessage start = bus_.NewMethodCall(kService, path, kSessionInterface, "Start");
    bus_.Call(start, kShellAnswerTime);
  } catch (const DbusError& e) {
    throw Exception("Keystrokes on GNOME go through Mutter's remote desktop interface (" + std::string(kService) +
                    "), which did not start a session: " + e.Message());
  }
  path_ = path;
}

void RemoteDesktopSession::Key(uint32_t evdevCode, bool down) {
  DbusMessage call = bus_.NewMethodCall(kService, path_, kSessionInterface, "NotifyKeyboardKeycode");
  call.AppendUint32(evdevCode);
  AppendBool(call, down);
  bus_.Send(call);
}

void RemoteDesktopSession::Sync() {
  // A property of the session: Mutter answers it on the thread that handles
  // the key events, after them.
  DbusMessage get = bus_.NewMethodCall(kService, path_, "org.freedesktop.DBus.Properties", "Get");
  get.AppendString(kSessionInterface).AppendString("SessionId");
  try {
    bus_.Call(get, kShellAnswerTime);
  } catch (const DbusError& e) {
    if (IsMissingObject(e)) {
      path_.clear();
      throw Exception("Mutter ended tolm32's remote desktop session, so keys cannot be typed: " + e.Message());
    }
    if (e.Name() == "org.freedesktop.DBus.Error.NoReply") throw Exception("Mutter does not answer");
    throw Exception("Mutter's remote desktop session failed: " + e.Message());
  }
}

void RemoteDesktopSession::FlushBeforeExit(std::chrono::milliseconds limit) noexcept { bus_.FlushBefore(limit); }

}  // namespace tolm
