// The KDE desktop module's one entry (services/modules/boundary.h): the
// desktop of KDE Plasma on Wayland, KWin's scripting interface for windows
// and its fake input for keys. It declines, with the reason, when KWin is
// not on the session bus; the program then tries the next desktop.
#include <type_traits>

#include "services/desktop/kde/kde_platform.h"
#include "services/modules/guest/guest.h"

extern "C" __attribute__((visibility("default"))) bool tolm_module_entry(const tolm::HostTable* host,
                                                                        tolm::ModuleOffer* offer,
                                                                        tolm::Failure* why) noexcept {
  return tolm::OfferDesktop(host, offer, why, tolm::OpenKdeDesktop);
}

static_assert(std::is_same_v<decltype(&tolm_module_entry), tolm::ModuleEntry>,
              "the entry has the type the program calls it with");
