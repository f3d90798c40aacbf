#include "ui/qt/replace_form.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "ui/qt/program_icon.h"
#include "ui/qt/qt_text.h"

namespace tolm {
namespace {

QLabel* RightAlignedLabel(const char* name, const char* text, QWidget* buddy, QWidget* parent) {
  auto* label = new QLabel(QString::fromUtf8(text), parent);
  label->setObjectName(QString::fromLatin1(name));
  label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  label->setBuddy(buddy);
  return label;
}

QPushButton* Button(const char* name, const char* text, QWidget* parent) {
  auto* button = new QPushButton(QString::fromUtf8(text), parent);
  button->setObjectName(QString::fromLatin1(name));
  return button;
}

}  // namespace

ReplaceForm::ReplaceForm(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("frmReplace"));
  setWindowTitle(WindowTitleText(kReplaceCaption));
  setWindowIcon(ProgramIcon());

  String1 = new QLineEdit(this);
  String1->setObjectName(QStringLiteral("String1"));
  String1->setMinimumWidth(260);
  String2 = new QLineEdit(this);
  String2->setObjectName(QStringLiteral("String2"));
  btnOk = Button("btnOk", "&OK", this);
  btnOk->setDefault(true);
  btnCancel = Button("btnCancel", "&Cancel", this);
  connect(btnOk, &QPushButton::clicked, this, &QDialog::accept);
  connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);

  auto* fields = new QGridLayout;
  fields->addWidget(RightAlignedLabel("Label1", kReplaceFindLabel, String1, this), 0, 0);
  fields->addWidget(String1, 0, 1);
  fields->addWidget(RightAlignedLabel("Label2", kReplaceWithLabel, String2, this), 1, 0);
  fields->addWidget(String2, 1, 1);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(btnOk);
  buttons->addWidget(btnCancel);
  auto* layout = new QVBoxLayout(this);
  layout->addLayout(fields);
  layout->addSpacing(6);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

ReplaceStrings ReplaceForm::Strings() const { return {FromQt(String1->text()), FromQt(String2->text())}; }

std::optional<ReplaceStrings> ReplaceForm::Ask(QWidget* parent) {
  ReplaceForm form(parent);
  if (form.exec() != QDialog::Accepted) return std::nullopt;
  return form.Strings();
}

}  // namespace tolm
