#include "ui/qt/command_dialog_form.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <functional>
#include <utility>

#include "ui/qt/program_icon.h"
#include "ui/qt/qt_text.h"

namespace tolm {
namespace {

// The combo box of the command word: it tells when its list is about to
// open, before the list shows, so the list can be refilled.
class ProgComboBox : public QComboBox {
 public:
  ProgComboBox(std::function<void()> beforePopup, QWidget* parent)
      : QComboBox(parent), beforePopup_(std::move(beforePopup)) {}
  void showPopup() override {
    beforePopup_();
    QComboBox::showPopup();
  }

 private:
  std::function<void()> beforePopup_;
};

template <typename Widget>
Widget* Named(Widget* widget, const char* name) {
  widget->setObjectName(QString::fromLatin1(name));
  return widget;
}

}  // namespace

CommandDialogForm::CommandDialogForm(CommandDialogModel& model, UserQuestions& questions, QWidget* parent)
    : QDialog(parent), model_(model), questions_(questions) {
  setObjectName(QStringLiteral("frmTolmInput"));
  setWindowTitle(WindowTitleText(kCommandDialogCaption));
  setWindowIcon(ProgramIcon());

  Prog = Named(new ProgComboBox([this] { ProgDropDown(); }, this), "Prog");
  Prog->setEditable(true);
  Prog->setInsertPolicy(QComboBox::NoInsert);
  Prog->setMaxVisibleItems(24);
  Prog->setMinimumWidth(300);
  auto* label1 = Named(new QLabel(QStringLiteral("Command:"), this), "Label1");
  label1->setBuddy(Prog);
  Args = Named(new QLineEdit(this), "Args");
  Label3 = Named(new QLabel(this), "Label3");
  Label2 = Named(new QLabel(this), "Label2");

  GroupBox1 = Named(new QGroupBox(QStringLiteral("Initial Window Mode"), this), "GroupBox1");
  NormalOpt = Named(new QRadioButton(QStringLiteral("Normal"), GroupBox1), "NormalOpt");
  MinOpt = Named(new QRadioButton(QStringLiteral("Minimized"), GroupBox1), "MinOpt");
  MaxOpt = Named(new QRadioButton(QStringLiteral("Maximized"), GroupBox1), "MaxOpt");
  HideOpt = Named(new QRadioButton(QStringLiteral("Hidden"), GroupBox1), "HideOpt");
  MinNoActOpt = Named(new QRadioButton(QStringLiteral("NoActivate"), GroupBox1), "MinNoActOpt");
  auto* modes = new QVBoxLayout(GroupBox1);
  for (QRadioButton* b : {NormalOpt, MinOpt, MaxOpt, HideOpt, MinNoActOpt}) modes->addWidget(b);

  GroupBox2 = Named(new QGroupBox(QStringLiteral("error handling"), this), "GroupBox2");
  WarnOpt = Named(new QCheckBox(QStringLiteral("Give Warning"), GroupBox2), "WarnOpt");
  IgnoreOpt = Named(new QCheckBox(QStringLiteral("Ignore Error"), GroupBox2), "IgnoreOpt");
  auto* errors = new QVBoxLayout(GroupBox2);
  errors->addWidget(WarnOpt);
  errors->addWidget(IgnoreOpt);

  btnBrowse = Named(new QPushButton(QStringLiteral("Browse..."), this), "btnBrowse");
  WaitOpt = Named(new QCheckBox(QStringLiteral("Wait for program to finish before continuing"), this), "WaitOpt");
  btnOk = Named(new QPushButton(QStringLiteral("&OK"), this), "btnOk");
  btnOk->setDefault(true);
  btnCancel = Named(new QPushButton(QStringLiteral("&Cancel"), this), "btnCancel");

  auto* fields = new QGridLayout;
  fields->addWidget(label1, 0, 0, Qt::AlignRight | Qt::AlignVCenter);
  fields->addWidget(Prog, 0, 1);
  fields->addWidget(btnBrowse, 0, 2);
  auto* argCaption = new QVBoxLayout;
  argCaption->setSpacing(0);
  argCaption->addWidget(Label3, 0, Qt::AlignRight);
  argCaption->addWidget(Label2, 0, Qt::AlignRight);
  fields->addLayout(argCaption, 1, 0);
  fields->addWidget(Args, 1, 1, 1, 2);
  fields->setColumnStretch(1, 1);

  auto* right = new QVBoxLayout;
  right->addWidget(GroupBox2);
  right->addStretch();
  auto* groups = new QHBoxLayout;
  groups->addWidget(GroupBox1);
  groups->addLayout(right);
  groups->addStretch();

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(btnOk);
  buttons->addWidget(btnCancel);

  auto* layout = new QVBoxLayout(this);
  layout->addLayout(fields);
  layout->addLayout(groups);
  layout->addWidget(WaitOpt);
  layout->addSpacing(6);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  QWidget* tabOrder[] = {Prog,      Args,     NormalOpt, MinOpt, MaxOpt, HideOpt, MinNoActOpt, WarnOpt,
                         IgnoreOpt, btnBrowse, WaitOpt,  btnOk,  btnCancel};
  for (size_t i = 0; i + 1 < std::size(tabOrder); ++i) setTabOrder(tabOrder[i], tabOrder[i + 1]);

  connect(Prog, &QComboBox::editTextChanged, this, [this] { ProgChange(); });
  connect(btnBrowse, &QPushButton::clicked, this, [this] { btnBrowseClick(); });
  connect(btnOk, &QPushButton::clicked, this, [this] { btnOkClick(); });
  connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);
  ShowFields();
}

QRadioButton* CommandDialogForm::WindowModeButton(WindowModeOption mode) const {
  switch (mode) {
    case WindowModeOption::Minimized:
      return MinOpt;
    case WindowModeOption::Maximized:
      return MaxOpt;
    case WindowModeOption::Hidden:
      return HideOpt;
    case WindowModeOption::NoActivate:
      return MinNoActOpt;
    case WindowModeOption::Normal:
      break;
  }
  return NormalOpt;
}

void CommandDialogForm::StoreFields() {
  model_.Prog = FromQt(Prog->currentText());
  model_.Args = FromQt(Args->text());
  model_.WaitOpt = WaitOpt->isChecked();
  model_.WarnOpt = WarnOpt->isChecked();
  model_.IgnoreOpt = IgnoreOpt->isChecked();
  for (WindowModeOption mode : {WindowModeOption::Normal, WindowModeOption::Minimized, WindowModeOption::Maximized,
                                WindowModeOption::Hidden, WindowModeOption::NoActivate})
    if (WindowModeButton(mode)->isChecked()) model_.WindowMode = mode;
}

void CommandDialogForm::ShowFields() {
  showing_ = true;
  QStringList items;
  for (const std::string& item : model_.ProgItems) items << ToQt(item);
  Prog->clear();
  Prog->addItems(items);
  Prog->setEditText(ToQt(model_.Prog));
  Args->setText(ToQt(model_.Args));
  WaitOpt->setChecked(model_.WaitOpt);
  WarnOpt->setChecked(model_.WarnOpt);
  IgnoreOpt->setChecked(model_.IgnoreOpt);
  WindowModeButton(model_.WindowMode)->setChecked(true);
  ShowCaptions();
  showing_ = false;
}

// The argument captions and the options the command word allows.
void CommandDialogForm::ShowCaptions() {
  Label3->setText(ToQt(model_.Label3));
  Label2->setText(ToQt(model_.Label2));
  Label3->setVisible(model_.Label3Visible);
  Label2->setVisible(model_.Label2Visible);
  Args->setVisible(model_.ArgsVisible);
  for (QWidget* w : std::initializer_list<QWidget*>{NormalOpt, WaitOpt, HideOpt, MaxOpt, MinOpt, MinNoActOpt})
    w->setEnabled(model_.OptionsEnabled);
}

void CommandDialogForm::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  OnActivate();
}

void CommandDialogForm::OnActivate() {
  StoreFields();
  model_.OnActivate();
  ShowCaptions();
}

void CommandDialogForm::ProgChange() {
  if (showing_) return;
  StoreFields();
  model_.ProgChange();
  ShowCaptions();
}

void CommandDialogForm::ProgDropDown() {
  StoreFields();
  model_.ProgDropDown();
  ShowFields();
}

void CommandDialogForm::btnBrowseClick() {
  StoreFields();
  model_.btnBrowseClick(questions_);
  ShowFields();
}

void CommandDialogForm::btnOkClick() {
  StoreFields();
  if (model_.btnOkClick()) accept();
}

bool QtCommandDialogHost::ShowModal(CommandDialogModel& dialog) {
  CommandDialogForm form(dialog, questions_, parent_);
  return form.exec() == QDialog::Accepted;
}

}  // namespace tolm
