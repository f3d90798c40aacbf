// Not a test but the picture maker of tools/render-forms.sh: with
// TOLM_RENDER_DIR set it builds each form with sample content in the Fusion
// style and the DejaVu font and writes what it looks like as PNG files there;
// with TOLM_ICON_SVG set it writes the program icon's SVG file. Without
// either it is skipped.
#include <gtest/gtest.h>

#include <QApplication>
#include <QFont>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QMenu>
#include <QMenuBar>
#include <QStyleFactory>
#include <QTest>
#include <cstdlib>
#include <fstream>
#include <string>

#include "support/run_tolm.h"
#include "ui/qt/about_form.h"
#include "ui/qt/command_dialog_form.h"
#include "ui/qt/editor_window.h"
#include "ui/qt/info_dialog.h"
#include "ui/qt/message_boxes.h"
#include "ui/qt/program_icon.h"
#include "ui/qt/replace_form.h"
#include "ui/scripted_user.h"

namespace tolm {
namespace {

// The file as it is opened: the picture shows it after its lines 3 and 4 were
// moved below "/activate", which gives a script that works as shown (the
// terminal starts without /wait, which would last until it is closed, and
// the window is closed a second after the keys).
const char kSampleFile[] =
    "# Start a terminal, wait for its window, type into it, close it.\r\n"
    "xterm \"-T\" \"Tolm demo\" \"-e\" sh\r\n"
    "/waitfor Tolm demo*\r\n"
    "/sendkeys echo +hello from +tolm{ENTER}\r\n"
    "/sleep 1\r\n"
    "/activate Tolm demo*\r\n"
    "/close Tolm demo*\r\n"
    "/waitclose Tolm demo*\r\n"
    "/pause \"Done\"\r\n";

void Save(QWidget& widget, const std::string& dir, const char* name) {
  widget.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&widget));
  const QString path = QString::fromStdString(dir + "/" + name);
  EXPECT_TRUE(widget.grab().save(path)) << path.toStdString();
}

void RenderEditor(const std::string& dir) {
  testing::TempDir files;
  testing::ScriptedUser user;
  testing::ScriptedCommandDialog dialog;
  EditorWindow editor(user, dialog, EditorFormActions{});
  editor.Start(files.Write("desktop-demo.tm", kSampleFile));
  auto* list = editor.findChild<QListWidget*>("List1");
  list->item(4)->setSelected(true);
  list->item(3)->setSelected(true);
  QTest::mouseClick(editor.findChild<QWidget*>("btnDown"), Qt::LeftButton);  // marks the list "Modified"
  Save(editor, dir, "editor.png");

  QMenu* file = editor.findChild<QMenu*>("File1");
  file->popup(editor.mapToGlobal(QPoint(0, 0)));
  Save(*file, dir, "editor-file-menu.png");
  file->hide();
}

void RenderCommandDialog(const std::string& dir) {
  testing::ScriptedUser user;
  CommandDialogModel model;
  Tcmdrec record;
  CmdRecFromLine(record, "mousepad /max /wait notes.txt");
  ShowRecordInDialog(record, model);
  CommandDialogForm form(model, user);
  Save(form, dir, "command-dialog.png");

  CommandDialogModel ifModel;
  CmdRecFromLine(record, "/waitfor Tolm demo*");
  ShowRecordInDialog(record, ifModel);
  CommandDialogForm waitFor(ifModel, user);
  Save(waitFor, dir, "command-dialog-waitfor.png");
}

void RenderSmallForms(const std::string& dir) {
  ReplaceForm replace;
  replace.findChild<QLineEdit*>("String1")->setText("Tolm demo");
  replace.findChild<QLineEdit*>("String2")->setText("Terminal");
  Save(replace, dir, "replace-all.png");
  AboutForm about([](const std::string&) {});
  Save(about, dir, "about.png");
}

void RenderRunWindows(const std::string& dir) {
  auto pause = MakeMessageBox(MessageKind::Information, "Done");
  Save(*pause, dir, "pause-box.png");
  auto confirm = MakeYesNoBox("Do you want to save your changes?");
  Save(*confirm, dir, "confirm-box.png");
  InfoDialog information;
  information.SetText(
      "sh/wait \"-c\" \"echo this line is only traced\"\r\n/if env(HOME) NE \"\"\r\n"
      "env(HOME) NE \"\" is TRUE\r\n*** BEGIN THEN block\r\n\"/usr/bin/gedit\" notes.txt\r\n"
      "*** END THEN block\r\n@ \"examples/retry.tm\"\r\n/set TRIES=0\r\n/do\r\n"
      "*** BEGIN /do command block\r\n/set TRIES=env(TRIES) + 1\r\n");
  Save(information, dir, "information.png");
}

TEST(RenderForms, WriteImagesAndIcon) {
  const char* dir = std::getenv("TOLM_RENDER_DIR");
  const char* svg = std::getenv("TOLM_ICON_SVG");
  if (!dir && !svg) GTEST_SKIP() << "run by tools/render-forms.sh";
  if (svg) {
    std::ofstream out(svg, std::ios::binary | std::ios::trunc);
    out << ProgramIconSvg();
    EXPECT_TRUE(out.good()) << svg;
  }
  if (!dir) return;
  QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
  QApplication::setFont(QFont(QStringLiteral("DejaVu Sans"), 9));
  RenderEditor(dir);
  RenderCommandDialog(dir);
  RenderSmallForms(dir);
  RenderRunWindows(dir);
  EXPECT_TRUE(ProgramIconPixmap(128).save(QString::fromStdString(std::string(dir) + "/icon.png")));
}

}  // namespace
}  // namespace tolm
