#include "services/platform/windows/win_character_keys.h"

#include <array>

namespace tolm {
namespace {

// ToUnicodeEx: leave the keyboard state (a pending dead key) as it is
// (Windows 10 1607 and later; older systems ignore the flag).
constexpr UINT kKeepKeyboardState = 0x4;

// What pressing the key gives in the layout, from a keyboard with nothing
// else held down; empty for a dead key or a key without a character.
std::wstring CharactersOfKey(const LayoutKey& key, HKL layout) {
  std::array<BYTE, 256> state{};
  if (key.shift) state[VK_SHIFT] = state[VK_LSHIFT] = 0x80;
  const UINT scanCode = MapVirtualKeyExW(key.virtualKey, MAPVK_VK_TO_VSC, layout);
  std::array<WCHAR, 8> out{};
  const int length = ToUnicodeEx(key.virtualKey, scanCode, state.data(), out.data(), static_cast<int>(out.size()),
                                 kKeepKeyboardState, layout);
  if (length < 0) {
    // A dead key: where the flag is not known, the same key again takes the
    // pending accent away, so the next real key is not changed by it.
    ToUnicodeEx(key.virtualKey, scanCode, state.data(), out.data(), static_cast<int>(out.size()),
                kKeepKeyboardState, layout);
    return {};
  }
  return std::wstring(out.data(), static_cast<size_t>(length));
}

}  // namespace

std::wstring Utf16OfCharacter(char32_t character) {
  if (character < 0x100) {
    const char byte = static_cast<char>(character);
    WCHAR unit = 0;
    if (MultiByteToWideChar(CP_ACP, 0, &byte, 1, &unit, 1) != 1) return {};
    return std::wstring(1, unit);
  }
  if (character > 0x10FFFF || (character >= 0xD800 && character <= 0xDFFF)) return {};
  if (character <= 0xFFFF) return std::wstring(1, static_cast<WCHAR>(character));
  const char32_t offset = character - 0x10000;
  return {static_cast<WCHAR>(0xD800 + (offset >> 10)), static_cast<WCHAR>(0xDC00 + (offset & 0x3FF))};
}

CharacterKeys KeysForCharacter(char32_t character, HKL layout) {
  CharacterKeys keys{std::nullopt, Utf16OfCharacter(character)};
  if (keys.units.size() != 1) return keys;
  const SHORT scan = VkKeyScanExW(keys.units[0], layout);
  if (scan == -1) return keys;
  const LayoutKey key{static_cast<BYTE>(scan & 0xFF), (scan >> 8 & 0x07) != 0};
  if (CharactersOfKey(key, layout) == keys.units) keys.layoutKey = key;
  return keys;
}

}  // namespace tolm
