// How a form runs one of its event handlers over its model: the form's
// selection goes to the model first, then the handler runs, then the form
// shows the model again, also after a failure. Nothing may leave a toolkit's
// event handler (Qt's event loop, a Win32 dialog procedure), so a failure is
// shown in the error box: the model shows its own failures itself, so what
// arrives here is a platform or resource failure, and the form goes on.
#pragma once

#include <functional>

namespace tolm {

struct FormView {
  std::function<void()> takeSelection;
  std::function<void()> showModel;
};

void RunFormEvent(const FormView& view, const std::function<void()>& handler);

}  // namespace tolm
