#include "services/modules/module_desktop.h"

namespace tolm {
namespace {

class ModuleWindows : public WindowSystem {
 public:
  explicit ModuleWindows(const DesktopCalls& calls) : calls_(calls) {}

  std::vector<WindowInfo> ListWindows(bool withClasses) override {
    std::vector<WindowInfo> windows;
    RaiseFailure(calls_.listWindows(withClasses, windows));
    return windows;
  }
  void Activate(WindowHandle window) override { RaiseFailure(calls_.activate(window)); }
  void Close(WindowHandle window) override { RaiseFailure(calls_.close(window)); }
  void Quit(WindowHandle window) override { RaiseFailure(calls_.quit(window)); }

 private:
  DesktopCalls calls_;
};

class ModuleKeyboard : public KeyboardSystem {
 public:
  explicit ModuleKeyboard(const DesktopCalls& calls) : calls_(calls) {}

  void BeginKeys(const std::vector<char32_t>& characters) override { RaiseFailure(calls_.beginKeys(characters)); }
  std::optional<bool> CharacterNeedsShift(char32_t character) override {
    std::optional<bool> needsShift;
    RaiseFailure(calls_.characterNeedsShift(character, needsShift));
    return needsShift;
  }
  void PressNamed(NamedKey key, bool down) override { RaiseFailure(calls_.pressNamed(key, down)); }
  void PressCharacter(char32_t character, bool down) override {
    RaiseFailure(calls_.pressCharacter(character, down));
  }
  void EndKeys() override { RaiseFailure(calls_.endKeys()); }

 private:
  DesktopCalls calls_;
};

}  // namespace

ModuleDesktop::ModuleDesktop(const DesktopCalls& calls) : calls_(calls) {
  if (calls.listWindows) windows_ = std::make_unique<ModuleWindows>(calls);
  if (calls.beginKeys) keyboard_ = std::make_unique<ModuleKeyboard>(calls);
}

ModuleDesktop::~ModuleDesktop() = default;

DesktopBackend ModuleDesktop::Services() const {
  DesktopBackend desktop{windows_.get(), keyboard_.get(), {}};
  if (calls_.applyShowMode) {
    desktop.showMode = [apply = calls_.applyShowMode](int pid, int showMode) { RaiseFailure(apply(pid, showMode)); };
  }
  return desktop;
}

}  // namespace tolm
