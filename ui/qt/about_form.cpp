#include "ui/qt/about_form.h"

#include <QEvent>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMouseEvent>
#include <QPushButton>
#include <exception>
#include <utility>

#include "services/seams/user_interface.h"
#include "services/core/version.h"
#include "ui/qt/program_icon.h"
#include "ui/qt/qt_text.h"

namespace tolm {
namespace {

QLabel* Label(const char* name, const QString& text, QWidget* parent) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(QString::fromLatin1(name));
  return label;
}

QLabel* LargeLabel(const char* name, const QString& text, QWidget* parent) {
  QLabel* label = Label(name, text, parent);
  QFont font = label->font();
  font.setPointSizeF(font.pointSizeF() * 1.6);
  font.setBold(true);
  label->setFont(font);
  return label;
}

}  // namespace

AboutForm::AboutForm(std::function<void(const std::string&)> runCommandText, QWidget* parent)
    : QDialog(parent), runCommandText_(std::move(runCommandText)) {
  setObjectName(QStringLiteral("frmAbout"));
  setWindowTitle(WindowTitleText(kAboutCaption));
  setWindowIcon(ProgramIcon());

  QLabel* image = Label("Image1", QString(), this);
  image->setPixmap(ProgramIconPixmap(32));
  image->setFixedSize(32, 32);
  QLabel* name = LargeLabel("Label1", QStringLiteral("Tolm  (32 bit)"), this);
  QLabel* version = LargeLabel("Label2", QStringLiteral("Version ") + QString::fromLatin1(kProgramVersion), this);
  QLabel* notice1 = Label("Label3", QStringLiteral("Copyright \u00a9 the Tolm developers."), this);
  QLabel* notice2 = Label("Label4", QStringLiteral("Free software, shipped with its source code."), this);
  QLabel* download = Label("Label5", QStringLiteral("Download the latest version from "), this);
  Label6 = Label("Label6", QString::fromLatin1(kDownloadAddress), this);
  Label6->setStyleSheet(QStringLiteral("color: blue; text-decoration: underline;"));
  Label6->setCursor(Qt::UpArrowCursor);
  Label6->installEventFilter(this);
  btnOk = new QPushButton(QStringLiteral("&Ok"), this);
  btnOk->setObjectName(QStringLiteral("btnOk"));
  btnOk->setDefault(true);
  connect(btnOk, &QPushButton::clicked, this, &QDialog::accept);

  auto* heading = new QGridLayout;
  heading->addWidget(image, 0, 0, 2, 1, Qt::AlignTop);
  heading->addWidget(name, 0, 1);
  heading->addWidget(version, 1, 1);
  heading->setColumnStretch(1, 1);
  heading->setHorizontalSpacing(16);
  auto* link = new QHBoxLayout;
  link->setSpacing(0);
  link->addWidget(download);
  link->addWidget(Label6);
  link->addStretch();
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(btnOk);
  buttons->addStretch();

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(18, 18, 18, 12);
  layout->addLayout(heading);
  layout->addSpacing(12);
  layout->addWidget(notice1);
  layout->addWidget(notice2);
  layout->addSpacing(12);
  layout->addLayout(link);
  layout->addSpacing(12);
  layout->addLayout(buttons);
  layout->setSizeConstraint(QLayout::SetFixedSize);
}

// The program launch reports a failure to start the opener; a failure it
// raises is shown with its own message, as for any handler of the form
// (nothing may leave a Qt event handler).
void AboutForm::Label6Click() {
  try {
    runCommandText_('"' + FromQt(Label6->text()) + '"');
  } catch (const std::exception& e) {
    ShowError(e.what());
  }
}

bool AboutForm::eventFilter(QObject* watched, QEvent* event) {
  if (watched == Label6 && event->type() == QEvent::MouseButtonRelease &&
      static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
    Label6Click();
    return true;
  }
  return QDialog::eventFilter(watched, event);
}

}  // namespace tolm
