#include "services/desktop/gnome/gnome_keyboard.h"

#include <wayland-client.h>

#include "services/core/errors.h"
#include "services/core/utf8_codec.h"
#include "services/desktop/wayland/wayland_keyboard.h"
#include "services/desktop/wayland/wayland_keymap.h"
#include "services/seams/debug_log.h"
#include "services/seams/event_pump.h"

namespace tolm {
namespace {
using Clock = std::chrono::steady_clock;
}  // namespace

std::string UntypableMessage(const std::vector<std::string>& characters, bool layoutsReachable) {
  std::string list;
  for (const std::string& c : characters) list += (list.empty() ? "\"" : ", \"") + c + "\"";
  if (!layoutsReachable) {
    return "The keyboard layout in use in this GNOME session has no key for " + list +
           ": Mutter lets programs type only what the layouts have, and other layouts can be switched to only "
           "through tolm32's GNOME Shell extension, which does not answer, so nothing was typed";
  }
  return "The keyboard layouts of this GNOME session have no key for " + list +
         ": Mutter lets programs type only what the layouts have, so nothing was typed";
}

void GnomeKeyboard::Prepare() {
  if (!connection_) {
    std::string reason;
    connection_ = WaylandConnection::OpenAny(WaitStyle::kPump, reason);
    if (!connection_) throw Exception("Keystrokes on GNOME need its Wayland session: " + reason);
  }
  if (session_.Started()) return;
  connection_->Roundtrip();
  const bool hadKeyboard = (connection_->SeatCapabilities() & WL_SEAT_CAPABILITY_KEYBOARD) != 0;
  session_.Start();
  if (!hadKeyboard) {
    // Mutter adds the session's keyboard to the seat with its first key
    // event. A tap of SHIFT makes it: no program has a keyboard to get it.
    const uint32_t shift = WaylandKeymap::NamedKeycode(NamedKey::Shift) - kKeycodeOffset;
    session_.Key(shift, true);
    session_.Key(shift, false);
    session_.Sync();
  }
  keymap_.WaitFor(*connection_, Clock::now() + kCompositorAnswerTime,
                  "GNOME did not announce the keyboard of tolm32's session in time");
  if (hadKeyboard) return;
  DebugLog("GNOME: the seat got its first keyboard; waiting " + std::to_string(kKeyboardSettleTime.count()) +
           " ms for programs to take it");
  const Clock::time_point settled = Clock::now() + kKeyboardSettleTime;
  while (Clock::now() < settled) PumpWaitUntil(settled);
}


void GnomeKeyboard::TakeLayouts() {
  connection_->DispatchAvailable();  // a keymap GNOME changed meanwhile
  keymap_.TakeChanges();
  const std::optional<uint32_t> group = shell_.LayoutGroup();
  if (!group) DebugLog("GNOME: the keyboard layout in use is unknown (the extension does not answer); taking the first");
  switchable_ = group.has_value();
  group_ = group.value_or(0);
  if (group_ >= keymap_.Layouts()) group_ = 0;
  startGroup_ = group_;
}


std::optional<LayoutKey> GnomeKeyboard::KeyFor(char32_t character) { return keymap_.Layout(group_).Find(character); }

bool GnomeKeyboard::Typable(char32_t character) {
  if (KeyFor(character)) return true;
  for (xkb_layout_index_t g = 0; switchable_ && g < keymap_.Layouts(); ++g) {
    if (keymap_.Layout(g).Find(character)) return true;
  }
  return false;
}

void GnomeKeyboard::BeginKeys(const std::vector<char32_t>& characters) {
  Prepare();
  TakeLayouts();
  std::vector<std::string> missing;
  for (char32_t c : characters) {
    if (Typable(c)) continue;
    std::string utf8;
    AppendUtf8(utf8, c);
    missing.push_back(utf8);
  }
  if (!missing.empty()) throw Exception(UntypableMessage(missing, switchable_));
  events_ = 0;
  batchStart_ = Clock::now();
  abandonAtEnd_.emplace([this] { Abandon(); });
}

std::optional<bool> GnomeKeyboard::CharacterNeedsShift(char32_t character) {
  // Asked before a character's events: the place to change layouts.
  std::optional<LayoutKey> key = KeyFor(character);
  for (xkb_layout_index_t g = 0; !key && switchable_ && g < keymap_.Layouts(); ++g) {
    if (!keymap_.Layout(g).Find(character)) continue;
    SwitchGroup(g);
    key = KeyFor(character);
  }
  if (!key) return std::nullopt;
  return key->shift;
}

void GnomeKeyboard::SwitchGroup(xkb_layout_index_t group) {
  session_.Sync();
  shell_.LockLayoutGroup(group);
  group_ = group;
}

void GnomeKeyboard::PressNamed(NamedKey key, bool down) {
  Send(WaylandKeymap::NamedKeycode(key), down);
  Count();
}

void GnomeKeyboard::PressCharacter(char32_t character, bool down) {
  const std::optional<LayoutKey> key = KeyFor(character);
  if (!key) return;
  if (down && key->levelThree != 0) Send(key->levelThree, true);
  Send(key->keycode, down);
  if (!down && key->levelThree != 0) Send(key->levelThree, false);
  Count();
}

void GnomeKeyboard::Send(uint32_t keycode, bool down) {
  session_.Key(keycode - kKeycodeOffset, down);
  std::erase(down_, keycode);
  if (down) down_.push_back(keycode);
}

void GnomeKeyboard::Count() {
  ++events_;
  if (events_ % kSyncInterval != 0) return;
  session_.Sync();
  // The pace, waited on the pump (serving the bus) so a close request still
  // ends the typing.
  const Clock::time_point due =
      batchStart_ + std::chrono::microseconds(1000000ull * kSyncInterval / kMaxEventsPerSecond);
  bus_.WaitUntil([] { return false; }, due);
  batchStart_ = Clock::now();
}

void GnomeKeyboard::EndKeys() {
  abandonAtEnd_.reset();
  if (!session_.Started()) return;
  try {
    // Once the keys have reached the focused program, as the next command
    // (activating another window, closing this one) must come after them;
    // without the extension once Mutter has taken them.
    if (group_ != startGroup_) {
      SwitchGroup(startGroup_);
    } else {
      session_.Sync();
      if (switchable_) shell_.Settle();
    }
  } catch (const Exception& e) {
    // Called on the way out of a failed key string too: the failure that
    // ended it is the one to report.
    DebugLog("GNOME: the end of the key string did not reach Mutter: " + e.Message());
  }
}

void GnomeKeyboard::Abandon() {
  if (!session_.Started()) return;
  // The last pressed first: a character before the SHIFT it was typed with.
  try {
    while (!down_.empty()) Send(down_.back(), false);
  } catch (const Exception&) {
    // The program ends anyway; Mutter releases the keys of a session that ends.
  }
  session_.FlushBeforeExit(kReleaseTime);
  if (group_ != startGroup_) shell_.LockLayoutGroupBeforeExit(startGroup_, kReleaseTime);
}

}  // namespace tolm
