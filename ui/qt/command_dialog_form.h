// The command dialog "Enter command line and options" as a Qt form: a view
// of a CommandDialogModel. Each handler copies the controls into the model,
// calls the model's handler and shows the model again.
#pragma once

#include <QDialog>

#include "ui/core/command_mapping.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace tolm {

class CommandDialogForm : public QDialog {
  Q_OBJECT

 public:
  // model and questions (for "Browse...") are not owned and outlive the form.
  CommandDialogForm(CommandDialogModel& model, UserQuestions& questions, QWidget* parent = nullptr);

  // The controls into the model, and the model into the controls.
  void StoreFields();
  void ShowFields();

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void OnActivate();
  void ProgChange();
  void ProgDropDown();
  void btnBrowseClick();
  void btnOkClick();
  void ShowCaptions();
  QRadioButton* WindowModeButton(WindowModeOption mode) const;

  CommandDialogModel& model_;
  UserQuestions& questions_;
  bool showing_ = false;  // controls are being set from the model

  QComboBox* Prog;
  QLineEdit* Args;
  QLabel* Label3;
  QLabel* Label2;
  QGroupBox* GroupBox1;
  QRadioButton* NormalOpt;
  QRadioButton* MinOpt;
  QRadioButton* MaxOpt;
  QRadioButton* HideOpt;
  QRadioButton* MinNoActOpt;
  QGroupBox* GroupBox2;
  QCheckBox* WarnOpt;
  QCheckBox* IgnoreOpt;
  QPushButton* btnBrowse;
  QCheckBox* WaitOpt;
  QPushButton* btnOk;
  QPushButton* btnCancel;
};

// Shows the command dialog modally over parent (not owned; may be null);
// "Browse..." asks questions.
class QtCommandDialogHost : public CommandDialogHost {
 public:
  QtCommandDialogHost(QWidget* parent, UserQuestions& questions) : parent_(parent), questions_(questions) {}
  void SetParent(QWidget* parent) { parent_ = parent; }
  bool ShowModal(CommandDialogModel& dialog) override;

 private:
  QWidget* parent_;
  UserQuestions& questions_;
};

}  // namespace tolm
