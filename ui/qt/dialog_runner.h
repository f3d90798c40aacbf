// How the Qt forms show a dialog modally. The program runs each dialog's own
// event loop (exec); tests give a runner that acts on the dialog (reads its
// controls, clicks its buttons) instead of blocking on it.
#pragma once

#include <functional>

class QDialog;

namespace tolm {

using DialogRunner = std::function<void(QDialog& dialog)>;

// Shows the dialog modally and returns when it is closed.
void ExecDialog(QDialog& dialog);

}  // namespace tolm
