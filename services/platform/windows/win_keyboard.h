// Keystrokes on Windows: synthetic key events for the window with the
// keyboard focus. A character the current keyboard layout types is sent as
// its layout key (keybd_event, with the key's scan code from MapVirtualKeyA),
// so applications that read virtual keys see that key; any other character
// (no key in the layout, or a key that does not give it back) is sent as the
// character itself (SendInput with KEYEVENTF_UNICODE). Modifiers the key
// string holds stay down around either kind.
#pragma once

#include <windows.h>

#include <unordered_map>

#include "services/platform/windows/win_character_keys.h"
#include "services/seams/keyboard.h"

namespace tolm {

class WinKeyboard : public KeyboardSystem {
 public:
  // Finds the keys of the key string's characters in the current layout.
  void BeginKeys(const std::vector<char32_t>& characters) override;
  // SHIFT is needed when the layout key asks for any of SHIFT, CTRL and ALT;
  // a character sent as itself needs none. nullopt only for a value that is
  // no character.
  std::optional<bool> CharacterNeedsShift(char32_t character) override;
  void PressNamed(NamedKey key, bool down) override;
  // Fails with "Function SendInput failed: " and the system's reason when a
  // character sent as itself is refused.
  void PressCharacter(char32_t character, bool down) override;
  void EndKeys() override;

 private:
  const CharacterKeys& KeysOf(char32_t character);

  HKL layout_ = nullptr;
  std::unordered_map<char32_t, CharacterKeys> keys_;
};

}  // namespace tolm
