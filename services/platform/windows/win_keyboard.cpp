#include "services/platform/windows/win_keyboard.h"

#include <vector>

#include "services/core/errors.h"
#include "services/seams/debug_log.h"

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

void SendKey(BYTE virtualKey, bool extended, bool down) {
  const BYTE scanCode = static_cast<BYTE>(MapVirtualKeyA(virtualKey, MAPVK_VK_TO_VSC));
  DWORD flags = down ? 0 : KEYEVENTF_KEYUP;
  if (extended) flags |= KEYEVENTF_EXTENDEDKEY;
  keybd_event(virtualKey, scanCode, flags, 0);
}

// The character's UTF-16 units as key events of their own: each down is the
// window's WM_CHAR (a VK_PACKET key).
void SendUnicode(const std::wstring& units, bool down) {
  std::vector<INPUT> events;
  for (WCHAR unit : units) {
    INPUT event{};
    event.type = INPUT_KEYBOARD;
    event.ki.wScan = unit;
    event.ki.dwFlags = KEYEVENTF_UNICODE | (down ? 0 : KEYEVENTF_KEYUP);
    events.push_back(event);
  }
  const UINT count = static_cast<UINT>(events.size());
  if (SendInput(count, events.data(), sizeof(INPUT)) != count) {
    throw Exception("Function SendInput failed: " + SysErrorText(static_cast<int>(GetLastError())));
  }
}

}  // namespace

void WinKeyboard::BeginKeys(const std::vector<char32_t>& characters) {
  layout_ = GetKeyboardLayout(0);
  keys_.clear();
  for (char32_t character : characters) keys_.emplace(character, KeysForCharacter(character, layout_));
}

// The keys of a character BeginKeys was not given are found when first asked.
const CharacterKeys& WinKeyboard::KeysOf(char32_t character) {
  auto found = keys_.find(character);
  if (found == keys_.end()) {
    if (layout_ == nullptr) layout_ = GetKeyboardLayout(0);
    found = keys_.emplace(character, KeysForCharacter(character, layout_)).first;
  }
  return found->second;
}

std::optional<bool> WinKeyboard::CharacterNeedsShift(char32_t character) {
  const CharacterKeys& keys = KeysOf(character);
  if (keys.units.empty()) return std::nullopt;
  return keys.layoutKey && keys.layoutKey->shift;
}

void WinKeyboard::PressNamed(NamedKey key, bool down) {
  const NamedVirtualKey& entry = Entry(key);
  SendKey(entry.virtualKey, entry.extended, down);
}

void WinKeyboard::PressCharacter(char32_t character, bool down) {
  const CharacterKeys& keys = KeysOf(character);
  if (keys.layoutKey) {
    SendKey(keys.layoutKey->virtualKey, false, down);
  } else if (!keys.units.empty()) {
    SendUnicode(keys.units, down);
  }
}

void WinKeyboard::EndKeys() {
  keys_.clear();
  layout_ = nullptr;
}

}  // namespace tolm
