#include "ui/qt/message_boxes.h"

#include <QMessageBox>
#include <QPushButton>

namespace tolm {
namespace {

struct BoxKind {
  QMessageBox::Icon icon;
  const char* caption;
};

BoxKind KindOf(MessageKind kind) {
  switch (kind) {
    case MessageKind::Warning:
      return {QMessageBox::Warning, "Warning"};
    case MessageKind::Error:
      return {QMessageBox::Critical, "Error"};
    case MessageKind::Information:
      break;
  }
  return {QMessageBox::Information, "Information"};
}

// A box with no owner: the program has no main window.
std::unique_ptr<QMessageBox> MakeBox(QMessageBox::Icon icon, const char* caption, const std::string& text) {
  auto box = std::make_unique<QMessageBox>();
  box->setIcon(icon);
  box->setWindowTitle(QString::fromLatin1(caption));
  box->setTextFormat(Qt::PlainText);  // the program's texts are never markup
  box->setText(ShownText(text));
  return box;
}

}  // namespace

QString ShownText(const std::string& text) {
  QString shown = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
  shown.replace(QLatin1String("\r\n"), QLatin1String("\n"));
  return shown;
}

std::unique_ptr<QMessageBox> MakeMessageBox(MessageKind kind, const std::string& text) {
  BoxKind k = KindOf(kind);
  auto box = MakeBox(k.icon, k.caption, text);
  box->setStandardButtons(QMessageBox::Ok);
  box->setDefaultButton(QMessageBox::Ok);
  return box;
}

std::unique_ptr<QMessageBox> MakeYesNoBox(const std::string& text) {
  auto box = MakeBox(QMessageBox::Question, "Confirm", text);
  QPushButton* yes = box->addButton(QStringLiteral("&Yes"), QMessageBox::YesRole);
  QPushButton* no = box->addButton(QStringLiteral("&No"), QMessageBox::NoRole);
  box->setDefaultButton(yes);
  box->setEscapeButton(no);
  return box;
}

bool AnsweredYes(const QMessageBox& box) {
  return box.clickedButton() && box.buttonRole(box.clickedButton()) == QMessageBox::YesRole;
}

}  // namespace tolm
