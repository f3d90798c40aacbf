// The "Information" dialog: one long text (the output a run collected, a
// parse report) in a scrolling box that grows with the form, and "OK".
#pragma once

#include <QDialog>

#include <string>

class QPlainTextEdit;
class QPushButton;

namespace tolm {

class InfoDialog : public QDialog {
  Q_OBJECT

 public:
  // A dialog with no owner, centred on the screen.
  InfoDialog();
  void SetText(const std::string& text);

  QPlainTextEdit* Msg;  // owned by the dialog, like every control
  QPushButton* OKBtn;

 private:
  void OKBtnClick() { accept(); }
};

}  // namespace tolm
