// Keystrokes on GNOME (Wayland) through a remote desktop session of Mutter
// (remote_desktop.h), which presses keys of the session's own keymap.
//
// Mutter's keymap is read from a wl_keyboard of our own Wayland connection,
// and each character is looked up in it (LayoutCharacters): in the layout in
// use, which our shell extension reports, a character on the SHIFT level
// gets SHIFT as on X11 (from the shared key order, so '^A' is CTRL+a as
// there), one on the third level (AltGr) gets that key held around it. A
// character only another layout of the keymap has is typed in that layout:
// once Mutter has taken every key so far, the extension switches to it
// (LockLayoutGroup, which waits until those keys have reached their
// programs: Mutter tells programs a new layout before it passes on keys
// still queued), and the layout in use before comes back at the end of the
// key string, also when a close request ends it. A key string holding a
// character no layout can type fails before its first key, naming the
// character; nothing is typed. Mutter's keysym calls are not used: they find
// only keysyms the layout in use has, as this lookup does, and add a SHIFT
// of their own, which breaks the shared order of events ('^A' would become
// CTRL+SHIFT+a).
//
// Without the extension the keys still work, in the first layout of the
// keymap (the extension is what tells the layout in use).
//
// The first key: on a seat without a keyboard (a headless or remote
// session) the session's virtual keyboard is the seat's first, and programs
// take a new keyboard only when they get to its announcement, so keys sent at
// once are lost to them. Our extension keeps a keyboard on the seat for that
// reason. When the seat had a keyboard before the session started (the
// extension's, or a real one) nothing is waited for. Otherwise the first key
// string makes the session's keyboard (Mutter adds it with the session's
// first key event, so the session taps SHIFT, which no program can get yet),
// waits until the seat announces it, and then kKeyboardSettleTime for the
// programs to take it.
//
// Events go to Mutter without waiting; every kSyncInterval events the
// keyboard waits until Mutter has handled them, at most kMaxEventsPerSecond
// (the pace of the wlroots backend, wayland_keyboard.h, for the same
// reason). A key string ends once its keys have reached the focused program
// (the extension's Settle: Mutter passes keys on a frame later, while the
// focus moves at once, so an activation or a close right after the keys
// would otherwise overtake them); without the extension, once Mutter has
// taken them. When a
// close request ends the program during a key string, the keys it holds
// down are released first, the last pressed first.
#pragma once

#include <xkbcommon/xkbcommon.h>

#include <chrono>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "services/desktop/dbus/dbus_connection.h"
#include "services/desktop/gnome/remote_desktop.h"
#include "services/desktop/gnome/shell_extension.h"
#include "services/desktop/wayland/seat_keymap.h"
#include "services/desktop/wayland/wayland_connection.h"
#include "services/seams/keyboard.h"
#include "services/seams/program_end.h"

namespace tolm {

// The message for characters (UTF-8 each) no layout of the keymap has;
// layoutsReachable says whether other layouts than the one in use could be
// switched to (only with the extension).
std::string UntypableMessage(const std::vector<std::string>& characters, bool layoutsReachable);

class GnomeKeyboard : public KeyboardSystem {
 public:
  GnomeKeyboard(DbusConnection& bus, ShellExtension& shell) : bus_(bus), shell_(shell), session_(bus) {}
  GnomeKeyboard(const GnomeKeyboard&) = delete;
  GnomeKeyboard& operator=(const GnomeKeyboard&) = delete;

  void BeginKeys(const std::vector<char32_t>& characters) override;
  std::optional<bool> CharacterNeedsShift(char32_t character) override;
  void PressNamed(NamedKey key, bool down) override;
  void PressCharacter(char32_t character, bool down) override;
  void EndKeys() override;

 private:
  // Connects, starts the session and reads the keymap, the first time.
  void Prepare();
  // Makes the layouts of a new keymap and reads the layout in use.
  void TakeLayouts();
  std::optional<LayoutKey> KeyFor(char32_t character);
  bool Typable(char32_t character);
  // Switches Mutter to the layout once our events so far have reached it.
  void SwitchGroup(xkb_layout_index_t group);
  void Send(uint32_t keycode, bool down);  // XKB key code
  void Count();
  void Abandon();

  DbusConnection& bus_;
  ShellExtension& shell_;
  RemoteDesktopSession session_;
  std::unique_ptr<WaylandConnection> connection_;
  SeatKeymap keymap_;  // destroyed before the connection
  bool switchable_ = false;            // the extension tells and switches layouts
  xkb_layout_index_t group_ = 0;       // the layout in use
  xkb_layout_index_t startGroup_ = 0;  // the one at the start of the key string
  std::vector<uint32_t> down_;  // keys we hold down (XKB codes), in the order pressed
  unsigned events_ = 0;
  std::chrono::steady_clock::time_point batchStart_;
  std::optional<AtProgramEnd> abandonAtEnd_;  // while a key string is sent
};

}  // namespace tolm
