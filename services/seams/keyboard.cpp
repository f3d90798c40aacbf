#include "services/seams/keyboard.h"

#include "services/core/errors.h"
#include "services/seams/desktop.h"
#include "services/seams/event_pump.h"

namespace tolm {
namespace {

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

// Turns key codes into events, remembering whether the key string holds a
// modifier down.
class KeyCodeSender {
 public:
  explicit KeyCodeSender(KeyboardSystem& keyboard) : keyboard_(keyboard) {}

  void Send(const KeyRun& run) {
    const auto modifier = ModifierOf(run.code);
    const auto named = NamedKeyOf(run.code);
    const char32_t character = CharacterOfKeyCode(run.code);
    if (!modifier && !named && character == 0) {
      // A code without a key sends nothing, however often it is repeated.
      ProcessPendingMessages();
      return;
    }
    for (uint32_t n = 0; n < run.count; ++n) {
      if (modifier) {
        keyboard_.PressNamed(modifier->key, modifier->down);
        held_ = modifier->down;
      } else if (named) {
        keyboard_.PressNamed(*named, true);
        keyboard_.PressNamed(*named, false);
      } else {
        SendCharacter(keyboard_, character, held_);
      }
      ProcessPendingMessages();
    }
  }

 private:
  KeyboardSystem& keyboard_;
  bool held_ = false;  // a modifier pressed by the key string itself is down
};

}  // namespace

void SendKeys(std::string_view keyString) {
  KeyboardSystem& keyboard = DesktopKeyboard();
  KeyStringScope scope(keyboard, CharactersOfKeys(keyString));
  KeyCodeSender sender(keyboard);
  KeyTranslator translator(keyString);
  for (KeyRuns runs; translator.Next(runs);) {
    for (const KeyRun& run : runs) sender.Send(run);
  }
}

}  // namespace tolm
