#include "ui/qt/qt_user_interface.h"

#include <QMessageBox>

#include "ui/qt/editor_form.h"
#include "ui/qt/info_dialog.h"
#include "ui/qt/message_boxes.h"

namespace tolm {

QtUserInterface::QtUserInterface(DialogRunner runner) : runner_(std::move(runner)), listQuestions_(runner_) {}

void QtUserInterface::ShowInfoDialog(const std::string& text, bool) {
  InfoDialog dialog;
  dialog.SetText(text);
  runner_(dialog);
}

void QtUserInterface::ShowMessage(MessageKind kind, const std::string& text) {
  auto box = MakeMessageBox(kind, text);
  runner_(*box);
}

bool QtUserInterface::AskYesNo(const std::string& text) {
  auto box = MakeYesNoBox(text);
  runner_(*box);
  return AnsweredYes(*box);
}

void QtUserInterface::ShowListDialog(bool windowMode) {
  ListDialog dialog(windowMode, listQuestions_, [this](const std::string& message) {
    ShowMessage(MessageKind::Error, message);
  });
  runner_(dialog);
}

void QtUserInterface::EditCommandFile(const std::string& fileName) { RunEditorForm(fileName); }

}  // namespace tolm
