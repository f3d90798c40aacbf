// The editor's questions answered with Qt dialogs: the "Confirm" box, the
// file dialogs (Qt's own, not the desktop's, so they look and behave the same
// everywhere and tests can drive them), the input box and "Replace All".
#pragma once

#include <QFileDialog>
#include <QMessageBox>
#include <QStringList>
#include <memory>

#include "ui/core/user_questions.h"

namespace tolm {

// Qt name filters for a filter text of "text|pattern" pairs. Patterns are
// separated by ";" there and by blanks in Qt; "*.*" (every file) becomes "*".
// The text keeps its own pattern list when that names the same patterns in
// any letter case (Qt matches without case), otherwise it gets the pattern's.
QStringList QtNameFilters(const std::string& filter);

// A file dialog set up for the request: filters, default extension, whether
// the file must exist, the overwrite question, read-only browsing.
void ConfigureFileDialog(QFileDialog& dialog, const FileDialogRequest& request, QFileDialog::AcceptMode mode);

// The "Confirm" box with the buttons "&Yes" and "&No"; Escape answers No.
std::unique_ptr<QMessageBox> MakeConfirmBox(QWidget* parent, const std::string& text);

class QtUserQuestions : public UserQuestions {
 public:
  // The dialogs are shown over parent (not owned; may be null).
  explicit QtUserQuestions(QWidget* parent) : parent_(parent) {}
  void SetParent(QWidget* parent) { parent_ = parent; }

  bool AskYesNo(const std::string& text) override;
  std::optional<std::string> AskOpenFileName(const FileDialogRequest& request) override;
  std::optional<std::string> AskSaveFileName(const FileDialogRequest& request) override;
  std::optional<std::string> InputBox(const std::string& caption, const std::string& prompt,
                                      const std::string& defaultText) override;
  std::optional<ReplaceStrings> AskReplaceAll() override;

 private:
  std::optional<std::string> AskFileName(const FileDialogRequest& request, QFileDialog::AcceptMode mode);

  QWidget* parent_;
};

}  // namespace tolm
