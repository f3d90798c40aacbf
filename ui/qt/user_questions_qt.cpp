#include "ui/qt/user_questions_qt.h"

#include <QInputDialog>
#include <QPushButton>

#include "ui/qt/qt_text.h"
#include "ui/qt/replace_form.h"

namespace tolm {
namespace {

// "*.exe;*.com" as Qt's "*.exe *.com"; "*.*" means every file.
QStringList Patterns(const QString& list) {
  QStringList patterns = list.split(QLatin1Char(';'), Qt::SkipEmptyParts);
  for (QString& p : patterns) {
    p = p.trimmed();
    if (p == QLatin1String("*.*")) p = QStringLiteral("*");
  }
  return patterns;
}

bool SamePatterns(const QStringList& a, const QStringList& b) {
  if (a.size() != b.size()) return false;
  for (qsizetype i = 0; i < a.size(); ++i)
    if (a[i].compare(b[i], Qt::CaseInsensitive) != 0) return false;
  return true;
}

// "Executables (*.exe;*.com)" with the patterns "*.exe;*.com" gives
// "Executables (*.exe *.com)".
QString NameFilter(const QString& text, const QString& patternList) {
  QStringList patterns = Patterns(patternList);
  QString label = text.trimmed();
  const qsizetype open = label.lastIndexOf(QLatin1Char('('));
  if (open >= 0 && label.endsWith(QLatin1Char(')'))) {
    const QStringList shown = Patterns(label.mid(open + 1, label.size() - open - 2));
    if (SamePatterns(shown, patterns)) patterns = shown;
    label = label.left(open).trimmed();
  }
  return label + QStringLiteral(" (") + patterns.join(QLatin1Char(' ')) + QLatin1Char(')');
}

}  // namespace

QStringList QtNameFilters(const std::string& filter) {
  const QStringList parts = ToQt(filter).split(QLatin1Char('|'));
  QStringList filters;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) filters << NameFilter(parts[i], parts[i + 1]);
  return filters;
}

void ConfigureFileDialog(QFileDialog& dialog, const FileDialogRequest& request, QFileDialog::AcceptMode mode) {
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setAcceptMode(mode);
  dialog.setFileMode(request.fileMustExist ? QFileDialog::ExistingFile : QFileDialog::AnyFile);
  dialog.setNameFilters(QtNameFilters(request.filter));
  // Qt drops a leading "." of the suffix itself.
  dialog.setDefaultSuffix(ToQt(request.defaultExtension));
  dialog.setOption(QFileDialog::DontConfirmOverwrite, !request.overwritePrompt);
  dialog.setOption(QFileDialog::ReadOnly, request.readOnly);
  // pathMustExist holds for every name Qt's dialog accepts; shareAware has
  // no meaning on a system without share locks.
}

std::unique_ptr<QMessageBox> MakeConfirmBox(QWidget* parent, const std::string& text) {
  auto box = std::make_unique<QMessageBox>(QMessageBox::Question, QStringLiteral("Confirm"), ToQt(text),
                                           QMessageBox::Yes | QMessageBox::No, parent);
  box->button(QMessageBox::Yes)->setText(QStringLiteral("&Yes"));
  box->button(QMessageBox::No)->setText(QStringLiteral("&No"));
  box->setDefaultButton(QMessageBox::Yes);
  box->setEscapeButton(QMessageBox::No);
  return box;
}

bool QtUserQuestions::AskYesNo(const std::string& text) {
  return MakeConfirmBox(parent_, text)->exec() == QMessageBox::Yes;
}

std::optional<std::string> QtUserQuestions::AskFileName(const FileDialogRequest& request,
                                                        QFileDialog::AcceptMode mode) {
  QFileDialog dialog(parent_);
  ConfigureFileDialog(dialog, request, mode);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return FromQt(dialog.selectedFiles().front());
}

std::optional<std::string> QtUserQuestions::AskOpenFileName(const FileDialogRequest& request) {
  return AskFileName(request, QFileDialog::AcceptOpen);
}

std::optional<std::string> QtUserQuestions::AskSaveFileName(const FileDialogRequest& request) {
  return AskFileName(request, QFileDialog::AcceptSave);
}

std::optional<std::string> QtUserQuestions::InputBox(const std::string& caption, const std::string& prompt,
                                                      const std::string& defaultText) {
  bool ok = false;
  const QString text =
      QInputDialog::getText(parent_, WindowTitleText(caption), ToQt(prompt), QLineEdit::Normal, ToQt(defaultText), &ok);
  if (!ok) return std::nullopt;
  return FromQt(text);
}

std::optional<ReplaceStrings> QtUserQuestions::AskReplaceAll() { return ReplaceForm::Ask(parent_); }

}  // namespace tolm
