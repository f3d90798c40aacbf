// The Wayland desktop module's one entry (services/modules/boundary.h): the
// desktop of a wlroots compositor. It declines, with the reason, when there
// is no compositor or the compositor lacks the foreign-toplevel or
// virtual-keyboard protocol; the program then falls back to X11.
#include <type_traits>

#include "services/desktop/wayland/wayland_platform.h"
#include "services/modules/guest/guest.h"

extern "C" __attribute__((visibility("default"))) bool tolm_module_entry(const tolm::HostTable* host,
                                                                        tolm::ModuleOffer* offer,
                                                                        tolm::Failure* why) noexcept {
  return tolm::OfferDesktop(host, offer, why, tolm::OpenWaylandDesktop);
}

static_assert(std::is_same_v<decltype(&tolm_module_entry), tolm::ModuleEntry>,
              "the entry has the type the program calls it with");
