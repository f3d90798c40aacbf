// Keystrokes on Windows: synthetic key events (keybd_event) for the window
// with the keyboard focus. Characters are typed through the current keyboard
// layout (VkKeyScanA), each key with its scan code (MapVirtualKeyA).
#pragma once

#include <windows.h>

#include "services/seams/keyboard.h"

namespace tolm {

// The virtual key of a named key.
BYTE VirtualKeyOf(NamedKey key);

class WinKeyboard : public KeyboardSystem {
 public:
  void BeginKeys(const std::vector<char32_t>& characters) override;
  // nullopt when the layout has no key for the character; SHIFT is needed
  // when the layout asks for any of SHIFT, CTRL and ALT with it.
  std::optional<bool> CharacterNeedsShift(char32_t character) override;
  void PressNamed(NamedKey key, bool down) override;
  void PressCharacter(char32_t character, bool down) override;
  void EndKeys() override;
};

}  // namespace tolm
