#include "services/platform/windows/win_keyboard.h"

namespace tolm {
namespace {

struct NamedVirtualKey {
  NamedKey key;
  BYTE virtualKey;
  bool extended;  // one of the keys beside the numeric keypad that share its codes
};

constexpr NamedVirtualKey kNamedKeys[] = {
    {NamedKey::Backspace, VK_BACK, false}, {NamedKey::Tab, VK_TAB, false},
    {NamedKey::Return, VK_RETURN, false},  {NamedKey::Escape, VK_ESCAPE, false},
    {NamedKey::F1, VK_F1, false},          {NamedKey::F2, VK_F2, false},
    {NamedKey::F3, VK_F3, false},          {NamedKey::F4, VK_F4, false},
    {NamedKey::F5, VK_F5, false},          {NamedKey::F6, VK_F6, false},
    {NamedKey::F7, VK_F7, false},          {NamedKey::F8, VK_F8, false},
    {NamedKey::F9, VK_F9, false},          {NamedKey::F10, VK_F10, false},
    {NamedKey::F11, VK_F11, false},        {NamedKey::F12, VK_F12, false},
    {NamedKey::Home, VK_HOME, true},       {NamedKey::End, VK_END, true},
    {NamedKey::Up, VK_UP, true},           {NamedKey::Down, VK_DOWN, true},
    {NamedKey::Left, VK_LEFT, true},       {NamedKey::Right, VK_RIGHT, true},
    {NamedKey::PageUp, VK_PRIOR, true},    {NamedKey::PageDown, VK_NEXT, true},
    {NamedKey::Insert, VK_INSERT, true},   {NamedKey::Delete, VK_DELETE, true},
    {NamedKey::Shift, VK_SHIFT, false},    {NamedKey::Control, VK_CONTROL, false},
    {NamedKey::Alt, VK_MENU, false},
};

const NamedVirtualKey& Entry(NamedKey key) {
  for (const NamedVirtualKey& entry : kNamedKeys)
    if (entry.key == key) return entry;
  return kNamedKeys[0];  // every NamedKey has an entry
}

// The layout's key for a character: the virtual key in the low byte, the
// SHIFT (1), CTRL (2) and ALT (4) it needs in the high byte; -1 for none.
// A character of one byte is taken in the program's 8-bit code page, as the
// scripts are written; beyond that (a character written in UTF-8) by its
// Unicode value.
SHORT LayoutKey(char32_t character) {
  if (character < 0x100) return VkKeyScanA(static_cast<CHAR>(character));
  if (character > 0xFFFF) return -1;
  return VkKeyScanW(static_cast<WCHAR>(character));
}

void SendKey(BYTE virtualKey, bool extended, bool down) {
  const BYTE scanCode = static_cast<BYTE>(MapVirtualKeyA(virtualKey, MAPVK_VK_TO_VSC));
  DWORD flags = down ? 0 : KEYEVENTF_KEYUP;
  if (extended) flags |= KEYEVENTF_EXTENDEDKEY;
  keybd_event(virtualKey, scanCode, flags, 0);
}

}  // namespace

BYTE VirtualKeyOf(NamedKey key) { return Entry(key).virtualKey; }

void WinKeyboard::BeginKeys(const std::vector<char32_t>&) {}

std::optional<bool> WinKeyboard::CharacterNeedsShift(char32_t character) {
  const SHORT key = LayoutKey(character);
  if (key == -1) return std::nullopt;
  return (key >> 8 & 0x07) != 0;
}

void WinKeyboard::PressNamed(NamedKey key, bool down) {
  const NamedVirtualKey& entry = Entry(key);
  SendKey(entry.virtualKey, entry.extended, down);
}

void WinKeyboard::PressCharacter(char32_t character, bool down) {
  const SHORT key = LayoutKey(character);
  if (key == -1) return;
  SendKey(static_cast<BYTE>(key & 0xFF), false, down);
}

void WinKeyboard::EndKeys() {}

}  // namespace tolm
