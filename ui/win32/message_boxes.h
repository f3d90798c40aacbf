// The four standard boxes as system message boxes (MessageBoxA): no owner,
// since the program has no main window; usable from any thread.
#pragma once

#include <string>

#include "services/seams/user_interface.h"

namespace tolm {

// "Information", "Warning" or "Error" with the kind's icon and one OK button.
void ShowMessageBox(MessageKind kind, const std::string& text);
// "Confirm" with the question icon and the buttons "&Yes" and "&No" (a
// system Yes/No box has no close box); true for Yes.
bool AskYesNoBox(const std::string& text);

}  // namespace tolm
