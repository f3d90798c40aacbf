// The list dialog's operations as a window module calls them: the model's
// work (listing processes and windows) can fail, and no exception may cross
// into the module (services/modules/window_module.h). Each returns the failure's
// message, or an empty text when the operation succeeded.
#pragma once

#include <string>

#include "ui/core/list_dialog_model.h"
#include "ui/core/user_questions.h"

namespace tolm {

std::string ListDialogActivate(ListDialogModel& model) noexcept;
std::string ListDialogRefreshAll(ListDialogModel& model) noexcept;
std::string ListDialogFind(ListDialogModel& model, UserQuestions& questions) noexcept;

}  // namespace tolm
