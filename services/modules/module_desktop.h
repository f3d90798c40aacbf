// A desktop module's offer (boundary.h) as the program's desktop: its calls
// behind the seams' interfaces, each failure raised in the program.
#pragma once

#include <memory>

#include "services/modules/boundary.h"
#include "services/seams/desktop.h"

namespace tolm {

// The adapters over one offer; the services it gives live as long as it
// does. A desktop without windows or a keyboard (its calls left empty) has none.
class ModuleDesktop {
 public:
  explicit ModuleDesktop(const DesktopCalls& calls);
  ~ModuleDesktop();
  ModuleDesktop(const ModuleDesktop&) = delete;
  ModuleDesktop& operator=(const ModuleDesktop&) = delete;

  DesktopBackend Services() const;

 private:
  DesktopCalls calls_;
  std::unique_ptr<WindowSystem> windows_;
  std::unique_ptr<KeyboardSystem> keyboard_;
};

}  // namespace tolm
