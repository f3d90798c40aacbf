#include "services/modules/window_module.h"

#include "services/modules/module_loader.h"
#include "services/modules/module_user_interface.h"

namespace tolm {

UserInterface& LoadWindowModule() {
  ModuleOffer offer;
  std::string why;
  if (!LoadModule(kWindowModuleFile, offer, why)) throw Exception(why);
  return UserInterfaceOf(offer.windows);
}

}  // namespace tolm
