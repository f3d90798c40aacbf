#include "ui/core/form_event.h"

#include <exception>

#include "services/seams/user_interface.h"

namespace tolm {

void RunFormEvent(const FormView& view, const std::function<void()>& handler) {
  view.takeSelection();
  try {
    handler();
  } catch (const std::exception& e) {
    ShowError(e.what());
  }
  view.showModel();
}

}  // namespace tolm
