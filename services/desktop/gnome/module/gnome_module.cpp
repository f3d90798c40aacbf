// The GNOME desktop module's one entry (services/modules/boundary.h): the
// desktop of gnome-shell on Wayland. It declines, with the reason, when the
// session is not GNOME's or GNOME Shell is not on the session bus; the
// program then tries the next desktop.
#include <type_traits>

#include "services/desktop/gnome/gnome_platform.h"
#include "services/modules/guest/guest.h"

extern "C" __attribute__((visibility("default"))) bool tolm_module_entry(const tolm::HostTable* host,
                                                                        tolm::ModuleOffer* offer,
                                                                        tolm::Failure* why) noexcept {
  return tolm::OfferDesktop(host, offer, why, tolm::OpenGnomeDesktop);
}

static_assert(std::is_same_v<decltype(&tolm_module_entry), tolm::ModuleEntry>,
              "the entry has the type the program calls it with");
