// The X11 desktop module's one entry (services/modules/boundary.h): the X11
// desktop, made on the first call that needs a window or a key.
#include <type_traits>

#include "services/desktop/x11/x11_platform.h"
#include "services/modules/guest/guest.h"

extern "C" __attribute__((visibility("default"))) bool tolm_module_entry(const tolm::HostTable* host,
                                                                        tolm::ModuleOffer* offer,
                                                                        tolm::Failure* why) noexcept {
  return tolm::OfferDesktop(host, offer, why, tolm::OpenX11Desktop);
}

static_assert(std::is_same_v<decltype(&tolm_module_entry), tolm::ModuleEntry>,
              "the entry has the type the program calls it with");
