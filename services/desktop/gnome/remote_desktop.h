// A remote desktop session of Mutter (org.gnome.Mutter.RemoteDesktop), the
// way GNOME lets a program type: CreateSession, then Start on the session,
// which gives the seat a virtual keyboard of ours, then one
// NotifyKeyboardKeycode per key event (Linux evdev key codes, looked up in
// the session's keymap: Mutter presses exactly that key).
//
// Mutter ends the session when the connection that created it goes, so the
// session lives on the desktop's one bus connection for the whole run, and
// its keyboard with it. Key events are sent without waiting for answers,
// in order; Sync waits until Mutter has handled every one so far.
#pragma once

#include <chrono>
#include <cstdint>
#include <string>

#include "services/desktop/dbus/dbus_connection.h"

namespace tolm {

class RemoteDesktopSession {
 public:
  explicit RemoteDesktopSession(DbusConnection& bus) : bus_(bus) {}

  // Creates and starts the session, once; throws Exception saying why when
  // Mutter does not give one.
  void Start();
  bool Started() const { return !path_.empty(); }
  // Queues one key event (an evdev key code).
  void Key(uint32_t evdevCode, bool down);
  // Waits until Mutter has handled every event queued so far; throws
  // Exception when the session has ended or Mutter does not answer.
  void Sync();
  // For the end of the program: writes what is queued, waiting at most
  // limit. Never throws.
  void FlushBeforeExit(std::chrono::milliseconds limit) noexcept;

 private:
  DbusConnection& bus_;
  std::string path_;  // the session's object path, empty before Start
};

}  // namespace tolm
