// Keystrokes on KDE Plasma (Wayland) through KWin's fake input protocol
// (org_kde_kwin_fake_input: authenticate, then keyboard_key with evdev key
// codes).
//
// KWin binds fake input only for a program it finds authorised: the canonical
// path of the program's executable is the Exec= of an installed .desktop file
// with X-KDE-Wayland-Interfaces=org_kde_kwin_fake_input, as KDE's service
// cache (kbuildsycoca5) knows it. Otherwise the global is not offered at all,
// and the first key string fails with a message naming the file and the step
// missing; the window commands work regardless.
//
// Fake input presses keys of KWin's own keymap and cannot add keys, so the
// characters are looked up in that keymap (read from our own wl_keyboard) in
// the layout in use (org.kde.keyboard /Layouts getLayout): a character on the
// SHIFT level gets SHIFT as on X11, one on the third level (AltGr) gets that
// key held around it. A character only another layout of the session has is
// typed in that layout: KWin switches to it (setLayout) before the
// character, once every event so far has reached KWin, and the layout in use
// before is restored at the end of the key string, also when a close request
// ends it. A key string holding a character no layout of the session can
// type fails before its first key, naming the character; nothing is typed.
//
// Binding fake input adds a keyboard to the seat when it had none, and the
// focused program takes that keyboard only when it gets to the announcement,
// so the first key string waits until our own keyboard has its keymap, then
// kKeyboardSettleTime. The pace, batches and round trips are those of the
// wlroots backend (wayland_keyboard.h). When a close request ends the program
// during a key string, the keys it holds down are released first.
#pragma once

#include <xkbcommon/xkbcommon.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "services/desktop/dbus/dbus_connection.h"
#include "services/desktop/wayland/seat_keymap.h"
#include "services/desktop/wayland/wayland_connection.h"
#include "services/seams/keyboard.h"
#include "services/seams/program_end.h"

struct org_kde_kwin_fake_input;
namespace tolm {

// The name our .desktop file is installed under (share/applications).
inline constexpr const char* kDesktopFileName = "tolm32-kde.desktop";

// The message when KWin does not offer fake input to the program whose
// executable is exe: which file is expected and what to run.
std::string FakeInputRefusedMessage(const std::string& exe, bool desktopFileExists);
// The message for characters the layout has no key for (UTF-8 each).
std::string UntypableMessage(const std::vector<std::string>& characters);

class KdeKeyboard : public KeyboardSystem {
 public:
  explicit KdeKeyboard(DbusConnection& bus) : bus_(bus) {}
  ~KdeKeyboard() override;
  KdeKeyboard(const KdeKeyboard&) = delete;
  KdeKeyboard& operator=(const KdeKeyboard&) = delete;

  void BeginKeys(const std::vector<char32_t>& characters) override;
  std::optional<bool> CharacterNeedsShift(char32_t character) override;
  void PressNamed(NamedKey key, bool down) override;
  void PressCharacter(char32_t character, bool down) override;
  void EndKeys() override;

 private:
  // Connects, binds fake input and waits for the seat's keyboard and its
  // keymap, the first time.
  void Prepare();
  xkb_layout_index_t CurrentGroup();
  // Switches KWin to the layout once our events so far have reached it.
  void SwitchGroup(xkb_layout_index_t group);
  // The layouts of the keymap, made on first use; the key for a character in
  // the layout in use.
  std::optional<LayoutKey> KeyFor(char32_t character);
  void Send(uint32_t keycode, bool down);  // XKB key code
  void Count();
  void Abandon();

  DbusConnection& bus_;
  std::unique_ptr<WaylandConnection> connection_;
  SeatKeymap keymap_;  // destroyed before the connection
  org_kde_kwin_fake_input* fakeInput_ = nullptr;
  xkb_layout_index_t group_ = 0;      // the layout in use
  xkb_layout_index_t startGroup_ = 0;  // the one at the start of the key string
  std::vector<uint32_t> down_;  // keys we hold down (XKB codes), in the order pressed
  unsigned events_ = 0;
  std::chrono::steady_clock::time_point batchStart_;
  std::optional<AtProgramEnd> abandonAtEnd_;  // while a key string is sent
};

}  // namespace tolm
