#include "services/modules/window_module_loader.h"

#include "services/core/errors.h"
#include "services/modules/shared_module.h"
#include "services/modules/window_module.h"

namespace tolm {

UserInterface* LoadWindowModule() {
  auto open = reinterpret_cast<OpenWindowInterface>(OpenProgramModuleEntry(kWindowModuleFile, kWindowModuleEntry));
  char why[512] = "";
  UserInterface* windows = open(why, sizeof why);
  if (!windows) throw Exception(why[0] ? why : "the window module did not start");
  return windows;
}

}  // namespace tolm
