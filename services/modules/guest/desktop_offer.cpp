// A desktop's services as the calls a desktop module offers.
#include "services/modules/guest/guest.h"

namespace tolm {
namespace {

// The desktop behind the calls; one per module.
DesktopBackend& Offered() {
  static DesktopBackend desktop;
  return desktop;
}

WindowSystem& Windows() { return *Offered().windows; }
KeyboardSystem& Keyboard() { return *Offered().keyboard; }

void AddWindowCalls(DesktopCalls& calls) {
  calls.listWindows = [](bool withClasses, std::vector<WindowInfo>& windows) noexcept {
    return FailureOf([&] { windows = Windows().ListWindows(withClasses); });
  };
  calls.activate = [](WindowHandle w) noexcept { return FailureOf([&] { Windows().Activate(w); }); };
  calls.close = [](WindowHandle w) noexcept { return FailureOf([&] { Windows().Close(w); }); };
  calls.quit = [](WindowHandle w) noexcept { return FailureOf([&] { Windows().Quit(w); }); };
}

void AddKeyboardCalls(DesktopCalls& calls) {
  calls.beginKeys = [](const std::vector<char32_t>& characters) noexcept {
    return FailureOf([&] { Keyboard().BeginKeys(characters); });
  };
  calls.characterNeedsShift = [](char32_t c, std::optional<bool>& needsShift) noexcept {
    return FailureOf([&] { needsShift = Keyboard().CharacterNeedsShift(c); });
  };
  calls.pressNamed = [](NamedKey key, bool down) noexcept {
    return FailureOf([&] { Keyboard().PressNamed(key, down); });
  };
  calls.pressCharacter = [](char32_t c, bool down) noexcept {
    return FailureOf([&] { Keyboard().PressCharacter(c, down); });
  };
  calls.endKeys = []() noexcept { return FailureOf([] { Keyboard().EndKeys(); }); };
}

}  // namespace

DesktopCalls CallsOf(const DesktopBackend& desktop) {
  Offered() = desktop;
  DesktopCalls calls;
  if (desktop.windows) AddWindowCalls(calls);
  if (desktop.keyboard) AddKeyboardCalls(calls);
  if (desktop.showMode) {
    calls.applyShowMode = [](int pid, int showMode) noexcept {
      return FailureOf([&] { Offered().showMode(pid, showMode); });
    };
  }
  return calls;
}

}  // namespace tolm
