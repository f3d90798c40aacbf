#include "services/keys.h"

#include "services/errors.h"
#include "services/event_pump.h"

namespace tolm {
namespace {

KeyboardSystem* g_keyboard = nullptr;

KeyboardSystem& Keyboard() {
  if (g_keyboard == nullptr) throw Exception("Keystrokes are not available: no keyboard is installed");
  return *g_keyboard;
}

// The named key a code stands for, if any. Control bytes other than these
// four have no key and send nothing.
std::optional<NamedKey> NamedKeyOf(KeyCode code) {
  switch (code) {
    case kKeyBackspace: return NamedKey::Backspace;
    case kKeyTab: return NamedKey::Tab;
    case kKeyEnter: return NamedKey::Return;
    case kKeyEscape: return NamedKey::Escape;
    default: break;
  }
  if (code >= kKeyF1 && code <= kKeyF12) return static_cast<NamedKey>(static_cast<int>(NamedKey::F1) + (code - kKeyF1));
  if (code >= kKeyHome && code <= kKeyDelete) {
    return static_cast<NamedKey>(static_cast<int>(NamedKey::Home) + (code - kKeyHome));
  }
  return std::nullopt;
}

struct ModifierCode {
  NamedKey key;
  bool down;
};

std::optional<ModifierCode> ModifierOf(KeyCode code) {
  switch (code) {
    case kShiftDown: return ModifierCode{NamedKey::Shift, true};
    case kShiftUp: return ModifierCode{NamedKey::Shift, false};
    case kCtrlDown: return ModifierCode{NamedKey::Control, true};
    case kCtrlUp: return ModifierCode{NamedKey::Control, false};
    case kAltDown: return ModifierCode{NamedKey::Alt, true};
    case kAltUp: return ModifierCode{NamedKey::Alt, false};
    default: return std::nullopt;
  }
}

// Ends the key string on every path, so temporary keyboard changes are undone
// even when an event fails.
class KeyStringScope {
 public:
  KeyStringScope(KeyboardSystem& keyboard, const std::vector<char32_t>& characters) : keyboard_(keyboard) {
    keyboard_.BeginKeys(characters);
  }
  ~KeyStringScope() { keyboard_.EndKeys(); }
  KeyStringScope(const KeyStringScope&) = delete;
  KeyStringScope& operator=(const KeyStringScope&) = delete;

 private:
  KeyboardSystem& keyboard_;
};

void SendCharacter(KeyboardSystem& keyboard, char32_t character, bool held) {
  const std::optional<bool> needsShift = keyboard.CharacterNeedsShift(character);
  if (!needsShift) return;
  const bool addShift = *needsShift && !held;
  if (addShift) keyboard.PressNamed(NamedKey::Shift, true);
  keyboard.PressCharacter(character, true);
  keyboard.PressCharacter(character, false);
  if (addShift) keyboard.PressNamed(NamedKey::Shift, false);
}

}  // namespace

void SetKeyboardSystem(KeyboardSystem* system) { g_keyboard = system; }

void SendKeyCodes(const KeyCodes& codes) {
  KeyboardSystem& keyboard = Keyboard();
  std::vector<char32_t> characters;
  for (KeyCode code : codes) {
    if (const char32_t ch = CharacterOfKeyCode(code)) characters.push_back(ch);
  }
  KeyStringScope scope(keyboard, characters);
  bool held = false;  // a modifier pressed by the key string itself is down
  for (KeyCode code : codes) {
    if (const auto modifier = ModifierOf(code)) {
      keyboard.PressNamed(modifier->key, modifier->down);
      held = modifier->down;
    } else if (const auto named = NamedKeyOf(code)) {
      keyboard.PressNamed(*named, true);
      keyboard.PressNamed(*named, false);
    } else if (const char32_t ch = CharacterOfKeyCode(code)) {
      SendCharacter(keyboard, ch, held);
    }
    ProcessPendingMessages();
  }
}

void SendKeys(std::string_view keyString) { SendKeyCodes(TranslateKeys(keyString)); }

}  // namespace tolm
