// Keystrokes on X through the XTEST extension.
//
// Characters are looked up in the keyboard map of the XTEST keyboard in its
// active XKB group (the counterpart of a layout lookup on other desktops).
// Characters the map cannot type on its plain or SHIFT level are bound to
// spare keys (keys without symbols) for the duration of one key string, two
// per key (plain and SHIFT level), and unbound afterwards. When there are more
// of them than the spare keys hold, the string is typed in rounds: the first
// batch is bound before the first event; a character outside the batch ends
// the round (the events so far are delivered, the clients are given time to
// read the map) and the next batch, starting with that character, is bound in
// place of the last. Caps Lock, when on, changes letters as it would for a
// user typing.
//
// Events are queued and flushed in batches; the connection keeps them in
// order. The key string ends with a round trip, so every event has reached
// the server when SendKeys returns. When a close request ends the program in
// the middle of a key string, the keys it holds down are released and the
// spare keys unbound before the process goes.
#pragma once

#include <X11/Xlib.h>

#include <bitset>
#include <optional>
#include <unordered_map>
#include <vector>

#include "services/seams/keyboard.h"
#include "services/seams/program_end.h"
#include "services/desktop/x11/x11_display.h"
#include "services/desktop/x11/x11_keyboard_map.h"

namespace tolm {

class X11Keyboard : public KeyboardSystem {
 public:
  explicit X11Keyboard(SharedDisplay& display) : display_(display) {}

  void BeginKeys(const std::vector<char32_t>& characters) override;
  std::optional<bool> CharacterNeedsShift(char32_t character) override;
  void PressNamed(NamedKey key, bool down) override;
  void PressCharacter(char32_t character, bool down) override;
  void EndKeys() override;

 private:
  Display* Get();
  // Binds up to the spare keys' capacity of missing characters, starting
  // with missing_[first] and going on in order, around to the start.
  void BindBatch(Display* display, size_t first);
  // Ends a round: delivers the events so far and lets the clients read the
  // map before its spare keys change.
  void EndRound(Display* display);
  void UnbindAll(Display* display);
  // A bound key for a missing character, starting a new round when it is
  // not in the current batch; nullopt when the character is not missing.
  std::optional<CharacterKey> BoundKeyFor(char32_t character);
  // The key for a character: a bound spare key, else the keyboard map's.
  std::optional<CharacterKey> KeyFor(char32_t character) const;
  void Queue(XKeyCode keycode, bool down);
  // Releases every key held down and unbinds the spare keys at once: the
  // program is ending in the middle of a key string.
  void Abandon();

  SharedDisplay& display_;
  std::optional<unsigned int> device_;
  std::optional<X11KeyboardMap> map_;
  std::vector<char32_t> missing_;  // characters of the key string the map lacks
  std::unordered_map<char32_t, size_t> missingIndex_;
  std::unordered_map<char32_t, CharacterKey> bound_;  // characters on spare keys
  std::vector<XKeyCode> boundKeys_;
  unsigned queued_ = 0;
  std::bitset<256> down_;  // keys this keyboard holds down on the server
  std::optional<AtProgramEnd> abandonAtEnd_;  // while a key string is sent
};

}  // namespace tolm
