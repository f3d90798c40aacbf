#include "ui/qt/editor_form.h"

#include <QApplication>
#include <QEventLoop>

#include "ui/core/run_for_form.h"
#include "ui/qt/about_form.h"
#include "ui/qt/command_dialog_form.h"
#include "ui/qt/editor_window.h"
#include "ui/qt/user_questions_qt.h"

namespace tolm {
namespace {

void ShowEditor(const std::string& fileName) {
  QtUserQuestions questions(nullptr);
  QtCommandDialogHost commandDialog(nullptr, questions);
  EditorFormActions actions;
  // No runCommandText: the model runs the file itself and shows its failure.
  actions.beep = [] { QApplication::beep(); };
  EditorWindow window(questions, commandDialog, actions);
  // The dialogs open over the editor once it exists.
  questions.SetParent(&window);
  commandDialog.SetParent(&window);
  window.SetShowAbout([&window] {
    AboutForm([](const std::string& text) { RunCommandTextShowingFailure(text); }, &window).exec();
  });

  window.Start(fileName);
  QEventLoop loop;
  QObject::connect(&window, &EditorWindow::Closed, &loop, &QEventLoop::quit);
  window.setWindowModality(Qt::ApplicationModal);
  window.show();
  loop.exec();
}

}  // namespace

void RunEditorForm(const std::string& fileName) {
  if (QApplication::instance() == nullptr) return;
  ShowEditor(fileName);
}

}  // namespace tolm
