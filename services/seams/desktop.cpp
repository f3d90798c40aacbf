#include "services/seams/desktop.h"

#include <memory>
#include <utility>

#include "services/core/errors.h"
#include "services/core/lazy.h"

namespace tolm {
namespace {

// Released only when another desktop is installed: show-mode watchers may
// still use it while the program ends.
std::unique_ptr<Lazy<DesktopBackend>>& Installed() {
  static auto* desktop = new std::unique_ptr<Lazy<DesktopBackend>>;
  return *desktop;
}

}  // namespace

void InstallDesktop(std::function<DesktopBackend()> open) {
  Installed() = std::make_unique<Lazy<DesktopBackend>>(std::move(open));
}

void InstallDesktop(const DesktopBackend& desktop) {
  InstallDesktop([desktop] { return desktop; });
}

void UninstallDesktop() { Installed().reset(); }

const DesktopBackend& CurrentDesktop() {
  if (!Installed()) throw Exception("Window commands are not available: no desktop is installed");
  return Installed()->Get();
}

WindowSystem& DesktopWindows() {
  WindowSystem* windows = CurrentDesktop().windows;
  if (windows == nullptr) throw Exception("Window commands are not available: no window system is installed");
  return *windows;
}

KeyboardSystem& DesktopKeyboard() {
  KeyboardSystem* keyboard = CurrentDesktop().keyboard;
  if (keyboard == nullptr) throw Exception("Keystrokes are not available: no keyboard is installed");
  return *keyboard;
}

bool HasDesktop() { return Installed() != nullptr; }

}  // namespace tolm
