// Sending key strings ("/sendkeys"): the order of key events is fixed here,
// platform-free; a KeyboardSystem turns each event into a real one.
#pragma once

#include <optional>
#include <string_view>
#include <vector>

#include "services/core/key_translation.h"

namespace tolm {

enum class NamedKey {
  Backspace, Tab, Return, Escape,
  F1, F2, F3, F4, F5, F6, F7, F8, F9, F10, F11, F12,
  Home, End, Up, Down, Left, Right, PageUp, PageDown, Insert, Delete,
  Shift, Control, Alt,
};

class KeyboardSystem {
 public:
  virtual ~KeyboardSystem() = default;
  // Called once before the events of one key string, with the distinct
  // characters it will type, so the backend can prepare keys for them.
  virtual void BeginKeys(const std::vector<char32_t>& characters) = 0;
  // Whether typing the character needs SHIFT; nullopt when it cannot be typed
  // (it is then skipped).
  virtual std::optional<bool> CharacterNeedsShift(char32_t character) = 0;
  virtual void PressNamed(NamedKey key, bool down) = 0;
  virtual void PressCharacter(char32_t character, bool down) = 0;
  // Called after the last event, also when sending stopped early: delivers
  // everything still queued and undoes temporary changes.
  virtual void EndKeys() = 0;
};

// Translates the key string and sends its events to the desktop's keyboard as they are produced,
// serving pending events after each key code (a repeat of a code without a
// key is served once), so a close request ends the program at once, also in
// the middle of a long repeat. A modifier code is
// one event (down or up). Any other key is a press and a release; a character
// that needs SHIFT gets SHIFT around it unless the key string itself holds a
// modifier at that moment.
void SendKeys(std::string_view keyString);

}  // namespace tolm
