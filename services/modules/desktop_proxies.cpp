#include "services/modules/desktop_proxies.h"

#include <optional>
#include <type_traits>
#include <string>
#include <utility>

#include "services/core/errors.h"
#include "services/modules/module_boundary.h"

namespace tolm {
namespace {

// The desktop, opened on first use. A failure to open it is kept and raised
// again by every later use: the command that needs it fails each time, the
// same way, without searching for the module again.
class LazyDesktop {
 public:
  explicit LazyDesktop(OpenDesktop open) : open_(std::move(open)) {}

  const DesktopBackend& Get() {
    if (failure_) throw Exception(*failure_);
    if (!backend_) {
      try {
        backend_ = open_();
      } catch (const Exception& e) {
        failure_ = e.Message();
        throw;
      }
    }
    return *backend_;
  }

 private:
  OpenDesktop open_;
  std::optional<DesktopBackend> backend_;
  std::optional<std::string> failure_;
};

// Forwards one call into the desktop's module and raises what it reported.
template <typename Call>
auto Forward(Call call) {
  if constexpr (std::is_void_v<decltype(call())>) {
    call();
    RaiseReportedModuleFailure();
  } else {
    auto result = call();
    RaiseReportedModuleFailure();
    return result;
  }
}

class ProxyWindowSystem : public WindowSystem {
 public:
  explicit ProxyWindowSystem(LazyDesktop& desktop) : desktop_(desktop) {}

  std::vector<WindowInfo> ListWindows(bool withClasses) override {
    return Forward([&] { return Windows().ListWindows(withClasses); });
  }
  void Activate(WindowHandle window) override { Forward([&] { Windows().Activate(window); }); }
  void Close(WindowHandle window) override { Forward([&] { Windows().Close(window); }); }
  void Quit(WindowHandle window) override { Forward([&] { Windows().Quit(window); }); }

 private:
  WindowSystem& Windows() {
    WindowSystem* windows = desktop_.Get().windows;
    if (windows == nullptr) throw Exception("Window commands are not available: no window system is installed");
    return *windows;
  }
  LazyDesktop& desktop_;
};

class ProxyKeyboard : public KeyboardSystem {
 public:
  explicit ProxyKeyboard(LazyDesktop& desktop) : desktop_(desktop) {}

  void BeginKeys(const std::vector<char32_t>& characters) override {
    Forward([&] { Keyboard().BeginKeys(characters); });
  }
  std::optional<bool> CharacterNeedsShift(char32_t character) override {
    return Forward([&] { return Keyboard().CharacterNeedsShift(character); });
  }
  void PressNamed(NamedKey key, bool down) override { Forward([&] { Keyboard().PressNamed(key, down); }); }
  void PressCharacter(char32_t character, bool down) override {
    Forward([&] { Keyboard().PressCharacter(character, down); });
  }
  void EndKeys() override { Forward([&] { Keyboard().EndKeys(); }); }

 private:
  KeyboardSystem& Keyboard() {
    KeyboardSystem* keyboard = desktop_.Get().keyboard;
    if (keyboard == nullptr) throw Exception("Keystrokes are not available: no keyboard is installed");
    return *keyboard;
  }
  LazyDesktop& desktop_;
};

struct DesktopProxies {
  explicit DesktopProxies(OpenDesktop open) : desktop(std::move(open)) {}
  LazyDesktop desktop;
  ProxyWindowSystem windows{desktop};
  ProxyKeyboard keyboard{desktop};
};

}  // namespace

void InstallDesktopProxies(OpenDesktop open) {
  // Not destroyed at exit: show-mode watchers may still use the desktop then.
  // Installing again (tests do) replaces the earlier stand-ins.
  static DesktopProxies* proxies = nullptr;
  delete proxies;
  proxies = new DesktopProxies(std::move(open));
  SetWindowSystem(&proxies->windows);
  SetKeyboardSystem(&proxies->keyboard);
  SetShowModeHandler([desktop = &proxies->desktop](int pid, int showMode) {
    const ShowModeHandler& apply = desktop->Get().showMode;
    if (apply) Forward([&] { apply(pid, showMode); });
  });
}

}  // namespace tolm
