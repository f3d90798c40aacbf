#include "ui/switch/window_module_loader.h"

#include <utility>

#include "services/errors.h"
#include "services/linux/shared_module.h"
#include "ui/switch/window_module.h"

namespace tolm {

UserInterface* LoadWindowModule() {
  SharedModule module = OpenProgramModule(kWindowModuleFile);
  auto open = reinterpret_cast<OpenWindowInterface>(module.Symbol(kWindowModuleEntry));
  char why[512] = "";
  UserInterface* windows = open(why, sizeof why);
  if (!windows) throw Exception(why[0] ? why : "the window module did not start");
  // Kept loaded until the process ends and never closed, not even by exit():
  // the toolkit's threads and exit handlers run from its code.
  static const SharedModule* const kept = new SharedModule(std::move(module));
  (void)kept;
  return windows;
}

}  // namespace tolm
