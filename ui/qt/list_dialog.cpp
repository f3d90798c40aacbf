#include "ui/qt/list_dialog.h"

#include <QHBoxLayout>
#include <QInputDialog>
#include <QListWidget>
#include <QPushButton>
#include <QShowEvent>
#include <QVBoxLayout>

#include "ui/core/list_dialog_calls.h"
#include "ui/qt/message_boxes.h"

namespace tolm {
namespace {

QPushButton* MakeButton(QWidget* parent, const char* name, const char* text) {
  auto* button = new QPushButton(QString::fromLatin1(text), parent);
  button->setObjectName(QString::fromLatin1(name));
  button->setAutoDefault(false);
  return button;
}

}  // namespace

ListDialog::ListDialog(bool windowMode, UserQuestions& questions, ShowError showError)
    : PList(new QListWidget(this)),
      Button1(MakeButton(this, "Button1", "&Close")),
      Button2(MakeButton(this, "Button2", "&Refresh")),
      Button3(MakeButton(this, "Button3", "&Find...")),
      questions_(questions),
      showError_(std::move(showError)) {
  model_.WindowMode = windowMode;
  setObjectName(QStringLiteral("TfrmTolmPList"));
  setWindowTitle(ShownText(model_.Caption));
  PList->setObjectName(QStringLiteral("PList"));
  Button1->setDefault(true);
  connect(Button1, &QPushButton::clicked, this, &ListDialog::Button1Click);
  connect(Button2, &QPushButton::clicked, this, &ListDialog::Button2Click);
  connect(Button3, &QPushButton::clicked, this, &ListDialog::Button3Click);

  auto* buttons = new QHBoxLayout;
  buttons->addWidget(Button1);
  buttons->addWidget(Button2);
  buttons->addWidget(Button3);
  buttons->addStretch();
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(PList, 1);
  layout->addLayout(buttons);
  resize(420, 480);
}

// The form lists every entry as it opens. The window system activates it
// again whenever the user comes back to it (from another program, or from
// the find box); that must not undo a search, so only the first counts.
void ListDialog::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (!activated_) {
    activated_ = true;
    OnActivate();
  }
}

void ListDialog::OnActivate() { Show(ListDialogActivate(model_)); }

void ListDialog::Button2Click() { Show(ListDialogRefreshAll(model_)); }

void ListDialog::Button3Click() { Show(ListDialogFind(model_, questions_)); }

void ListDialog::Show(const std::string& failure) {
  setWindowTitle(ShownText(model_.Caption));
  PList->clear();
  for (const std::string& item : model_.Items) PList->addItem(ShownText(item));
  if (!failure.empty() && showError_) showError_(failure);
}

std::optional<std::string> ListDialogQuestions::InputBox(const std::string& caption, const std::string& prompt,
                                                         const std::string& defaultText) {
  QInputDialog box;
  box.setObjectName(QStringLiteral("InputBox"));
  box.setWindowTitle(ShownText(caption));
  box.setLabelText(ShownText(prompt));
  box.setTextValue(ShownText(defaultText));
  runner_(box);
  if (box.result() != QDialog::Accepted) return std::nullopt;
  return box.textValue().toStdString();
}

}  // namespace tolm
