// The list dialog's operations as a form's event handlers call them: the
// model's work (listing processes and windows) can fail, and nothing may be
// thrown out of an event handler (into Qt's event loop, or a Win32 dialog
// procedure). Each returns the failure's message, or an empty text when the
// operation succeeded; the form shows it.
#pragma once

#include <string>

#include "ui/core/list_dialog_model.h"
#include "ui/core/user_questions.h"

namespace tolm {

std::string ListDialogActivate(ListDialogModel& model) noexcept;
std::string ListDialogRefreshAll(ListDialogModel& model) noexcept;
std::string ListDialogFind(ListDialogModel& model, UserQuestions& questions) noexcept;

}  // namespace tolm
