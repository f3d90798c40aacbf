// The X11 desktop module's one entry (its type and the rules of the boundary
// are in services/desktop_module.h): the X11 desktop behind the boundary's
// wrappers, made on the first call that needs a window or a key.
#include <type_traits>

#include "services/desktop_module.h"
#include "services/desktop_module/boundary_desktop.h"
#include "services/x11/x11_platform.h"

namespace tolm {
namespace {

struct X11Module {
  explicit X11Module(const DesktopBackend& desktop)
      : windows(*desktop.windows), keyboard(*desktop.keyboard), showMode(BoundaryShowMode(desktop.showMode)) {}
  BoundaryWindowSystem windows;
  BoundaryKeyboard keyboard;
  ShowModeHandler showMode;
};

DesktopBackend OpenModule() {
  static X11Module* const module = new X11Module(OpenX11Desktop());  // lives until the process ends
  return DesktopBackend{&module->windows, &module->keyboard, module->showMode};
}

}  // namespace
}  // namespace tolm

extern "C" __attribute__((visibility("default"))) bool tolm_open_x11_desktop(tolm::DesktopBackend* out, char* why,
                                                                            std::size_t whySize) noexcept {
  return tolm::OpenDesktopGuarded(tolm::OpenModule, out, why, whySize);
}

static_assert(std::is_same_v<decltype(&tolm_open_x11_desktop), tolm::OpenDesktopModule>,
              "the entry has the type the program calls it with");
