// The X11 desktop module's one entry (its type and the rules of the boundary
// are in services/modules/desktop_modules.h): the X11 desktop behind the boundary's
// wrappers, made on the first call that needs a window or a key.
#include <type_traits>

#include "services/modules/desktop_modules.h"
#include "services/modules/guest/boundary_desktop.h"
#include "services/desktop/x11/x11_platform.h"

extern "C" __attribute__((visibility("default"))) bool tolm_open_x11_desktop(tolm::DesktopBackend* out, char* why,
                                                                            std::size_t whySize) noexcept {
  return tolm::OpenDesktopGuarded(
      [] {
        static const tolm::DesktopBackend desktop = tolm::BehindBoundary(tolm::OpenX11Desktop());
        return desktop;
      },
      out, why, whySize);
}

static_assert(std::is_same_v<decltype(&tolm_open_x11_desktop), tolm::OpenDesktopModule>,
              "the entry has the type the program calls it with");
