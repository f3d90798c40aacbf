#include "ui/qt/editor_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <array>
#include <exception>
#include <utility>

#include "services/seams/event_pump.h"
#include "services/seams/user_interface.h"
#include "ui/core/form_event.h"
#include "ui/qt/program_icon.h"
#include "ui/qt/qt_text.h"

namespace tolm {
namespace {

// The keys of the list and the virtual key codes the model knows them by.
constexpr std::array<std::pair<int, int>, 4> kListKeys = {{
    {Qt::Key_Return, kKeyEnter},
    {Qt::Key_Enter, kKeyEnter},
    {Qt::Key_Insert, kKeyInsert},
    {Qt::Key_Delete, kKeyDelete},
}};

// The list of lines; it hands the keys above to the editor instead of
// acting on them itself.
class LineListWidget : public QListWidget {
 public:
  LineListWidget(std::function<void(int)> keyDown, QWidget* parent)
      : QListWidget(parent), keyDown_(std::move(keyDown)) {}

 protected:
  void keyPressEvent(QKeyEvent* event) override {
    for (const auto& [key, virtualKey] : kListKeys) {
      if (event->key() == key) {
        keyDown_(virtualKey);
        event->accept();
        return;
      }
    }
    QListWidget::keyPressEvent(event);
  }

 private:
  std::function<void(int)> keyDown_;
};

// The status panel widths in pixels: the message line and "Modified".
constexpr int kMessagePanelWidth = 450;
constexpr int kModifiedPanelWidth = 50;

QLabel* StatusPanel(const char* name, int width, QWidget* parent) {
  auto* panel = new QLabel(parent);
  panel->setObjectName(QString::fromLatin1(name));
  panel->setFixedWidth(width);
  panel->setFrameShape(QFrame::Panel);
  panel->setFrameShadow(QFrame::Sunken);
  panel->setIndent(2);
  return panel;
}

// The panels keep their widths; their type shrinks (to no less than 6
// points) until "Modified" fits the narrow one.
void FitPanelFont(QLabel* message, QLabel* modified) {
  QFont font = modified->font();
  const int room = modified->maximumWidth() - 2 * modified->frameWidth() - 2 * modified->indent();
  while (QFontMetrics(font).horizontalAdvance(QString::fromLatin1(kModifiedText)) > room && font.pointSizeF() > 6)
    font.setPointSizeF(font.pointSizeF() - 0.5);
  message->setFont(font);
  modified->setFont(font);
}

QToolButton* MoveButton(const char* name, Qt::ArrowType arrow, QWidget* parent) {
  auto* button = new QToolButton(parent);
  button->setObjectName(QString::fromLatin1(name));
  button->setArrowType(arrow);
  button->setFixedSize(28, 28);
  return button;
}

}  // namespace

EditorWindow::EditorWindow(UserQuestions& questions, CommandDialogHost& commandDialog,
                           const EditorFormActions& actions, QWidget* parent)
    : QMainWindow(parent),
      model_(questions, commandDialog,
             EditorActions{actions.runCommandText, actions.beep, [this](bool busy) { ShowBusy(busy); }}) {
  setObjectName(QStringLiteral("frmTolmWiz"));
  setWindowIcon(ProgramIcon());
  BuildMenus();
  BuildControls();
  resize(560, 400);
  ShowModel();
}

QAction* EditorWindow::AddAction(QMenu* menu, const char* name, const char* text,
                                 void (EditorWindow::*handler)()) {
  QAction* action = menu->addAction(QString::fromUtf8(text));
  action->setObjectName(QString::fromLatin1(name));
  connect(action, &QAction::triggered, this, handler);
  return action;
}

void EditorWindow::BuildMenus() {
  menuBar()->setObjectName(QStringLiteral("MainMenu1"));
  QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
  file->setObjectName(QStringLiteral("File1"));
  AddAction(file, "New1", "&New", &EditorWindow::New1Click);
  AddAction(file, "Open1", "&Open...", &EditorWindow::Open1Click);
  AddAction(file, "Save1", "&Save", &EditorWindow::Save1Click);
  AddAction(file, "SaveAs1", "Save &As...", &EditorWindow::SaveAs1Click);
  file->addSeparator();
  AddAction(file, "Run1", "&Run", &EditorWindow::Run1Click);
  file->addSeparator();
  AddAction(file, "Exit1", "E&xit", &EditorWindow::Exit1Click);

  QMenu* edit = menuBar()->addMenu(QStringLiteral("&Edit"));
  edit->setObjectName(QStringLiteral("Edit1"));
  AddAction(edit, "NewCommand1", "&New Command (Insert)...", &EditorWindow::NewCommand1Click);
  AddAction(edit, "EditCommand1", "&Edit Command (Enter)...", &EditorWindow::EditCommand1Click);
  AddAction(edit, "DeleteCommand1", "&Delete Commands (Delete)", &EditorWindow::DeleteCommand1Click);
  edit->addSeparator();
  AddAction(edit, "Replace1", "Replace All...", &EditorWindow::Replace1Click);

  QMenu* help = menuBar()->addMenu(QStringLiteral("&Help"));
  help->setObjectName(QStringLiteral("Help1"));
  AddAction(help, "About1", "&About", &EditorWindow::About1Click);

  PopupMenu1 = new QMenu(this);
  PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
  AddAction(PopupMenu1, "NewCommand2", "&New Command...", &EditorWindow::NewCommand1Click);
  AddAction(PopupMenu1, "EditCommand2", "&Edit Command...", &EditorWindow::EditCommand1Click);
  AddAction(PopupMenu1, "DeleteCommand2", "&Delete Command", &EditorWindow::DeleteCommand1Click);
}

void EditorWindow::BuildControls() {
  auto* central = new QWidget(this);
  List1 = new LineListWidget([this](int key) { Handle([this, key] { model_.List1KeyDown(key); }); }, central);
  List1->setObjectName(QStringLiteral("List1"));
  List1->setSelectionMode(QAbstractItemView::ExtendedSelection);
  connect(List1, &QListWidget::itemDoubleClicked, this, [this] { Handle([this] { model_.List1DblClick(); }); });

  btnUp = MoveButton("btnUp", Qt::UpArrow, central);
  btnDown = MoveButton("btnDown", Qt::DownArrow, central);
  Label2 = new QLabel(QStringLiteral("Move"), central);
  Label2->setObjectName(QStringLiteral("Label2"));
  connect(btnUp, &QToolButton::clicked, this, &EditorWindow::btnUpClick);
  connect(btnDown, &QToolButton::clicked, this, &EditorWindow::btnDownClick);

  auto* move = new QVBoxLayout;
  move->addStretch();
  move->addWidget(btnUp, 0, Qt::AlignHCenter);
  move->addWidget(Label2, 0, Qt::AlignHCenter);
  move->addWidget(btnDown, 0, Qt::AlignHCenter);
  move->addStretch();
  auto* layout = new QHBoxLayout(central);
  layout->addWidget(List1, 1);
  layout->addLayout(move);
  setCentralWidget(central);

  // The form's context menu, on the list and around it.
  for (QWidget* w : {static_cast<QWidget*>(central), static_cast<QWidget*>(List1)}) {
    w->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(w, &QWidget::customContextMenuRequested, this, [this, w](const QPoint& pos) { ShowPopupMenu(w, pos); });
  }

  statusBar()->setObjectName(QStringLiteral("StatusBar1"));
  panel0_ = StatusPanel("Panel0", kMessagePanelWidth, statusBar());
  panel1_ = StatusPanel("Panel1", kModifiedPanelWidth, statusBar());
  statusBar()->addWidget(panel0_);
  statusBar()->addWidget(panel1_);
  FitPanelFont(panel0_, panel1_);
}

void EditorWindow::ShowPopupMenu(QWidget* source, const QPoint& pos) {
  const QWidget* area = source == List1 ? List1->viewport() : source;
  PopupMenu1->popup(area->mapToGlobal(pos));
}

void EditorWindow::Start(const std::string& fileName) {
  Handle([this, &fileName] { model_.Start(fileName); });
}

void EditorWindow::Handle(const std::function<void()>& handler) {
  RunFormEvent({[this] { TakeSelection(); }, [this] { ShowModel(); }}, handler);
}

void EditorWindow::TakeSelection() {
  for (int i = 0; i < List1->count(); ++i) model_.SetSelected(static_cast<size_t>(i), List1->item(i)->isSelected());
  model_.SetItemIndex(List1->currentRow());
}

void EditorWindow::ShowModel() {
  setWindowTitle(WindowTitleText(model_.Caption()));
  ShowLines();
  panel0_->setText(ToQt(model_.StatusMessage()));
  panel1_->setText(ToQt(model_.ModifiedPanel()));
}

void EditorWindow::ShowLines() {
  const std::vector<std::string>& lines = model_.Lines();
  const QSignalBlocker blocker(List1);
  while (List1->count() > static_cast<int>(lines.size())) delete List1->takeItem(List1->count() - 1);
  while (List1->count() < static_cast<int>(lines.size())) List1->addItem(QString());
  for (int i = 0; i < List1->count(); ++i) {
    QListWidgetItem* item = List1->item(i);
    const QString text = ToQt(lines[static_cast<size_t>(i)]);
    if (item->text() != text) item->setText(text);
    item->setSelected(model_.IsSelected(static_cast<size_t>(i)));
  }
  const int current = model_.ItemIndex();
  const QModelIndex index = current >= 0 && current < List1->count() ? List1->model()->index(current, 0) : QModelIndex();
  List1->selectionModel()->setCurrentIndex(index, QItemSelectionModel::NoUpdate);
  if (index.isValid()) List1->scrollTo(index);
}

// A run: the "Running" caption shows and the form takes no input until the
// run ends.
void EditorWindow::ShowBusy(bool busy) {
  if (busy) {
    setWindowTitle(WindowTitleText(model_.Caption()));
    QApplication::setOverrideCursor(Qt::WaitCursor);
  } else {
    QApplication::restoreOverrideCursor();
  }
  menuBar()->setEnabled(!busy);
  centralWidget()->setEnabled(!busy);
  QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
  ProcessPendingMessages();
}

void EditorWindow::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  if (centred_) return;
  centred_ = true;
  if (const QScreen* s = screen()) move(s->availableGeometry().center() - frameGeometry().center() + pos());
}

void EditorWindow::closeEvent(QCloseEvent* event) {
  bool mayClose = true;
  Handle([this, &mayClose] { mayClose = model_.OnCloseQuery(); });
  if (!mayClose) {
    event->ignore();
    return;
  }
  event->accept();
  emit Closed();
}

void EditorWindow::New1Click() { Handle([this] { model_.New1Click(); }); }
void EditorWindow::Open1Click() { Handle([this] { model_.Open1Click(); }); }
void EditorWindow::Save1Click() { Handle([this] { model_.Save1Click(); }); }
void EditorWindow::SaveAs1Click() { Handle([this] { model_.SaveAs1Click(); }); }
void EditorWindow::Run1Click() { Handle([this] { model_.Run1Click(); }); }
void EditorWindow::Exit1Click() { close(); }
void EditorWindow::NewCommand1Click() { Handle([this] { model_.NewCommand1Click(); }); }
void EditorWindow::EditCommand1Click() { Handle([this] { model_.EditCommand1Click(); }); }
void EditorWindow::DeleteCommand1Click() { Handle([this] { model_.DeleteCommand1Click(); }); }
void EditorWindow::Replace1Click() { Handle([this] { model_.Replace1Click(); }); }
void EditorWindow::btnUpClick() { Handle([this] { model_.btnUpClick(); }); }
void EditorWindow::btnDownClick() { Handle([this] { model_.btnDownClick(); }); }

void EditorWindow::About1Click() {
  if (showAbout_) Handle(showAbout_);
}

}  // namespace tolm
