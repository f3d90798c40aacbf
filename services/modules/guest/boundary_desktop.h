// The module's side of the desktop module boundary (services/modules/desktop_modules.h),
// linked into every desktop module: wrappers around the module's services
// that catch whatever the module's work throws and report it to the program
// (ReportModuleFailure), which raises it once the call has returned.
#pragma once

#include <cstddef>
#include <functional>

#include "services/seams/desktop.h"

namespace tolm {

class BoundaryWindowSystem : public WindowSystem {
 public:
  explicit BoundaryWindowSystem(WindowSystem& inner) : inner_(inner) {}
  std::vector<WindowInfo> ListWindows(bool withClasses) noexcept override;
  void Activate(WindowHandle window) noexcept override;
  void Close(WindowHandle window) noexcept override;
  void Quit(WindowHandle window) noexcept override;

 private:
  WindowSystem& inner_;
};

class BoundaryKeyboard : public KeyboardSystem {
 public:
  explicit BoundaryKeyboard(KeyboardSystem& inner) : inner_(inner) {}
  void BeginKeys(const std::vector<char32_t>& characters) noexcept override;
  std::optional<bool> CharacterNeedsShift(char32_t character) noexcept override;
  void PressNamed(NamedKey key, bool down) noexcept override;
  void PressCharacter(char32_t character, bool down) noexcept override;
  void EndKeys() noexcept override;

 private:
  KeyboardSystem& inner_;
};

// A show-mode handler that reports what handler throws.
ShowModeHandler BoundaryShowMode(ShowModeHandler handler);

// The module's services behind the wrappers above (a missing window system
// or keyboard stays missing). The wrappers live until the program ends: an
// entry makes them once.
DesktopBackend BehindBoundary(const DesktopBackend& inner);

// The body of a module's entry: runs open (which returns the module's
// services, already wrapped, or throws) and copies the result or the reason.
bool OpenDesktopGuarded(const std::function<DesktopBackend()>& open, DesktopBackend* out, char* why,
                        std::size_t whySize) noexcept;

}  // namespace tolm
