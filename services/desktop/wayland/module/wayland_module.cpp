// The Wayland desktop module's one entry (its type and the rules of the
// boundary are in services/modules/desktop_modules.h): the Wayland desktop behind the
// boundary's wrappers, made on the first call that needs a window or a key.
// It declines, with the reason, when there is no compositor or the compositor
// lacks the foreign-toplevel or virtual-keyboard protocol; the program then
// falls back to X11.
#include <string>
#include <type_traits>

#include "services/modules/desktop_modules.h"
#include "services/modules/guest/boundary_desktop.h"
#include "services/core/errors.h"
#include "services/desktop/wayland/wayland_platform.h"

namespace {

tolm::DesktopBackend OpenWrapped() {
  tolm::DesktopBackend desktop;
  std::string reason;
  if (!tolm::OpenWaylandDesktop(desktop, reason)) throw tolm::Exception(reason);
  return tolm::BehindBoundary(desktop);
}

}  // namespace

extern "C" __attribute__((visibility("default"))) bool tolm_open_wayland_desktop(tolm::DesktopBackend* out,
                                                                                char* why,
                                                                                std::size_t whySize) noexcept {
  return tolm::OpenDesktopGuarded(
      [] {
        static const tolm::DesktopBackend desktop = OpenWrapped();
        return desktop;
      },
      out, why, whySize);
}

static_assert(std::is_same_v<decltype(&tolm_open_wayland_desktop), tolm::OpenDesktopModule>,
              "the entry has the type the program calls it with");
