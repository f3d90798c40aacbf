#include "ui/qt/info_dialog.h"

#include <QFontDatabase>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "ui/qt/message_boxes.h"

namespace tolm {

InfoDialog::InfoDialog() : Msg(new QPlainTextEdit(this)), OKBtn(new QPushButton(QStringLiteral("OK"), this)) {
  setObjectName(QStringLiteral("TTolmInfoDlg"));
  setWindowTitle(QStringLiteral("Information"));

  Msg->setObjectName(QStringLiteral("Msg"));
  Msg->setReadOnly(true);  // selectable and copyable, not editable
  Msg->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  Msg->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);

  OKBtn->setObjectName(QStringLiteral("OKBtn"));
  OKBtn->setDefault(true);
  connect(OKBtn, &QPushButton::clicked, this, &InfoDialog::OKBtnClick);

  // The text takes every pixel the form gains; the button stays at the bottom.
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(OKBtn);
  buttons->addStretch();
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(Msg, 1);
  layout->addLayout(buttons);
  resize(640, 420);
  OKBtn->setFocus();
}

void InfoDialog::SetText(const std::string& text) { Msg->setPlainText(ShownText(text)); }

}  // namespace tolm
