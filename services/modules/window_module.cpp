#include "services/modules/window_module.h"

#include "services/modules/module_loader.h"
#include "services/modules/module_user_interface.h"

namespace tolm {

UserInterface& LoadWindowModule() {
  ModuleOffer offer;
  std::string why;
  if (!LoadModule(kWindowModuleFile, offer, why)) throw Exception(why);
  // Kept until the program ends, as the module is.
  static auto* const windows = new std::unique_ptr<UserInterface>;
  *windows = UserInterfaceOf(offer.windows);
  return **windows;
}

}  // namespace tolm
