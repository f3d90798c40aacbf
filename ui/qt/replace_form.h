// The "Replace All" dialog: the text to replace and its replacement.
#pragma once

#include <QDialog>
#include <optional>

#include "ui/core/replace_all.h"

class QLineEdit;
class QPushButton;

namespace tolm {

class ReplaceForm : public QDialog {
  Q_OBJECT

 public:
  explicit ReplaceForm(QWidget* parent = nullptr);

  // The two texts as they stand.
  ReplaceStrings Strings() const;

  // Shows the dialog modally: its texts after OK, nothing after Cancel,
  // Escape or the close box.
  static std::optional<ReplaceStrings> Ask(QWidget* parent);

 private:
  QLineEdit* String1;
  QLineEdit* String2;
  QPushButton* btnOk;
  QPushButton* btnCancel;
};

}  // namespace tolm
