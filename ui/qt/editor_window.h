// The command file editor's window: a view of an EditorModel. Every menu
// item, button, key and double-click copies the list's selection into the
// model, runs the model's handler and shows the model again.
#pragma once

#include <QMainWindow>
#include <functional>
#include <string>

#include "ui/core/editor_model.h"

class QAction;
class QLabel;
class QListWidget;
class QMenu;
class QToolButton;

namespace tolm {

struct EditorFormActions {
  // Runs one command text (the interpreter's RunCommandText).
  std::function<void(const std::string&)> runCommandText;
  // The beep of a non-empty message line.
  std::function<void()> beep;
};

class EditorWindow : public QMainWindow {
  Q_OBJECT

 public:
  // questions and commandDialog are not owned and outlive the window.
  EditorWindow(UserQuestions& questions, CommandDialogHost& commandDialog, const EditorFormActions& actions,
               QWidget* parent = nullptr);

  // "&About" shows this (the About box, modally).
  void SetShowAbout(std::function<void()> showAbout) { showAbout_ = std::move(showAbout); }
  // "/edit": the model started on fileName, and shown.
  void Start(const std::string& fileName);
  const EditorModel& Model() const { return model_; }

 signals:
  // The window has closed (its close was not refused).
  void Closed();

 protected:
  void closeEvent(QCloseEvent* event) override;
  void showEvent(QShowEvent* event) override;

 private:
  void BuildMenus();
  QAction* AddAction(QMenu* menu, const char* name, const char* text, void (EditorWindow::*handler)());
  void BuildControls();
  // Runs a model handler between taking the list's selection and showing
  // the model; a failure that leaves it is shown in an error box.
  void Handle(const std::function<void()>& handler);
  void TakeSelection();
  void ShowModel();
  void ShowLines();
  void ShowBusy(bool busy);
  void ShowPopupMenu(QWidget* source, const QPoint& pos);

  void New1Click();
  void Open1Click();
  void Save1Click();
  void SaveAs1Click();
  void Run1Click();
  void Exit1Click();
  void NewCommand1Click();
  void EditCommand1Click();
  void DeleteCommand1Click();
  void Replace1Click();
  void About1Click();
  void btnUpClick();
  void btnDownClick();

  EditorModel model_;
  std::function<void()> showAbout_;
  bool centred_ = false;

  QListWidget* List1;
  QToolButton* btnUp;
  QToolButton* btnDown;
  QLabel* Label2;
  QLabel* panel0_;
  QLabel* panel1_;
  QMenu* PopupMenu1;
};

}  // namespace tolm
