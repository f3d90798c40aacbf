#include "ui/core/list_dialog_calls.h"

#include "services/core/failure_of.h"

namespace tolm {

std::string ListDialogActivate(ListDialogModel& model) noexcept {
  return FailureOf([&] { model.OnActivate(); });
}

std::string ListDialogRefreshAll(ListDialogModel& model) noexcept {
  return FailureOf([&] { model.Button2Click(); });
}

std::string ListDialogFind(ListDialogModel& model, UserQuestions& questions) noexcept {
  return FailureOf([&] { model.Button3Click(questions); });
}

}  // namespace tolm
