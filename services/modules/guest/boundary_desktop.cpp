#include "services/modules/guest/boundary_desktop.h"

#include <cstdio>
#include <exception>

#include "services/modules/module_boundary.h"

namespace tolm {
namespace {

// Runs one call of the module's work; what it throws is reported instead.
template <typename Call>
void Guarded(Call call) noexcept {
  GuardedModuleCall(call, "unknown failure in the desktop module");
}

}  // namespace

std::vector<WindowInfo> BoundaryWindowSystem::ListWindows(bool withClasses) noexcept {
  std::vector<WindowInfo> windows;
  Guarded([&] { windows = inner_.ListWindows(withClasses); });
  return windows;
}

void BoundaryWindowSystem::Activate(WindowHandle window) noexcept {
  Guarded([&] { inner_.Activate(window); });
}

void BoundaryWindowSystem::Close(WindowHandle window) noexcept {
  Guarded([&] { inner_.Close(window); });
}

void BoundaryWindowSystem::Quit(WindowHandle window) noexcept {
  Guarded([&] { inner_.Quit(window); });
}

void BoundaryKeyboard::BeginKeys(const std::vector<char32_t>& characters) noexcept {
  Guarded([&] { inner_.BeginKeys(characters); });
}

std::optional<bool> BoundaryKeyboard::CharacterNeedsShift(char32_t character) noexcept {
  std::optional<bool> needsShift;
  Guarded([&] { needsShift = inner_.CharacterNeedsShift(character); });
  return needsShift;
}

void BoundaryKeyboard::PressNamed(NamedKey key, bool down) noexcept {
  Guarded([&] { inner_.PressNamed(key, down); });
}

void BoundaryKeyboard::PressCharacter(char32_t character, bool down) noexcept {
  Guarded([&] { inner_.PressCharacter(character, down); });
}

void BoundaryKeyboard::EndKeys() noexcept {
  Guarded([&] { inner_.EndKeys(); });
}

ShowModeHandler BoundaryShowMode(ShowModeHandler handler) {
  if (!handler) return handler;
  return [handler = std::move(handler)](int pid, int showMode) noexcept {
    Guarded([&] { handler(pid, showMode); });
  };
}

DesktopBackend BehindBoundary(const DesktopBackend& inner) {
  DesktopBackend outer;
  if (inner.windows) outer.windows = new BoundaryWindowSystem(*inner.windows);
  if (inner.keyboard) outer.keyboard = new BoundaryKeyboard(*inner.keyboard);
  outer.showMode = BoundaryShowMode(inner.showMode);
  return outer;
}

bool OpenDesktopGuarded(const std::function<DesktopBackend()>& open, DesktopBackend* out, char* why,
                        std::size_t whySize) noexcept {
  const char* reason = "unknown failure";
  try {
    *out = open();
    return true;
  } catch (const std::exception& e) {
    if (why && whySize > 0) std::snprintf(why, whySize, "%s", e.what());
    return false;
  } catch (...) {
  }
  if (why && whySize > 0) std::snprintf(why, whySize, "%s", reason);
  return false;
}

}  // namespace tolm
