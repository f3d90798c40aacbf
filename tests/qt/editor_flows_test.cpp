// The editor window's flows: keys, double-click, the context menu, moves, the
// File menu with its questions answered in advance, runs and closing.
#include <QApplication>
#include <QContextMenuEvent>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>
#include <string>
#include <vector>

#include "editor_window_fixture.h"

namespace tolm {
namespace {

using testing::EditorWindowTest;
using testing::ReadFileText;
using Texts = std::vector<std::string>;
using Rows = std::vector<int>;

TEST_F(EditorWindowTest, ListKeysAddEditAndDeleteLines) {
  LoadLines({"a", "b", "c"});
  SelectRows({0, 2});
  QTest::keyClick(List(), Qt::Key_Delete);
  EXPECT_EQ(Items(), (Texts{"b"}));
  EXPECT_EQ(Panel("Panel1"), "Modified");

  dialog.Accept([](CommandDialogModel& d) { d.Prog = "xterm"; });
  QTest::keyClick(List(), Qt::Key_Insert);
  EXPECT_EQ(Items(), (Texts{"b", "xterm "}));
  EXPECT_EQ(SelectedRows(), (Rows{1}));
  EXPECT_EQ(List()->currentRow(), 1);

  dialog.Accept([](CommandDialogModel& d) { d.Args = "-e sh"; });
  QTest::keyClick(List(), Qt::Key_Return);
  EXPECT_EQ(Items(), (Texts{"b", "xterm -e sh"}));
  ASSERT_EQ(dialog.shown.size(), 2u);
  EXPECT_EQ(dialog.shown[1].Prog, "xterm");

  // Enter with two lines selected edits nothing.
  SelectRows({0, 1});
  QTest::keyClick(List(), Qt::Key_Enter);
  EXPECT_EQ(user.errors, (Texts{"Too many items selected - select only one to edit"}));
}

TEST_F(EditorWindowTest, DoubleClickEditsTheClickedLine) {
  LoadLines({"a", "notepad.exe /wait readme.txt"});
  dialog.Cancel();
  const QRect rect = List()->visualItemRect(List()->item(1));
  QTest::mouseClick(List()->viewport(), Qt::LeftButton, {}, rect.center());
  QTest::mouseDClick(List()->viewport(), Qt::LeftButton, {}, rect.center());
  ASSERT_EQ(dialog.shown.size(), 1u);
  EXPECT_EQ(dialog.shown[0].Prog, "notepad.exe");
  EXPECT_EQ(Panel("Panel1"), "Modified");
}

TEST_F(EditorWindowTest, ClicksSelectSeveralLinesThatMoveTogether) {
  LoadLines({"a", "b", "c", "d"});
  const auto centre = [this](int row) { return List()->visualItemRect(List()->item(row)).center(); };
  QTest::mouseClick(List()->viewport(), Qt::LeftButton, {}, centre(1));
  QTest::mouseClick(List()->viewport(), Qt::LeftButton, Qt::ControlModifier, centre(2));
  EXPECT_EQ(SelectedRows(), (Rows{1, 2}));
  QTest::mouseClick(Find<QToolButton>("btnUp"), Qt::LeftButton);
  EXPECT_EQ(Items(), (Texts{"b", "c", "a", "d"}));
  EXPECT_EQ(SelectedRows(), (Rows{0, 1}));
  QTest::mouseClick(Find<QToolButton>("btnUp"), Qt::LeftButton);
  EXPECT_EQ(Items(), (Texts{"b", "c", "a", "d"}));
  EXPECT_EQ(Panel("Panel0"), "At first item");
  SelectRows({3});
  QTest::mouseClick(Find<QToolButton>("btnDown"), Qt::LeftButton);
  EXPECT_EQ(Panel("Panel0"), "At last item");
  EXPECT_EQ(beeps, 2);
}

TEST_F(EditorWindowTest, ContextMenuOpensOnTheListAndActsOnTheSelection) {
  LoadLines({"a", "b"});
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  QMenu* popup = Find<QMenu>("PopupMenu1");
  const QPoint at = List()->visualItemRect(List()->item(0)).center();
  QContextMenuEvent event(QContextMenuEvent::Mouse, at, List()->viewport()->mapToGlobal(at));
  QApplication::sendEvent(List()->viewport(), &event);
  EXPECT_TRUE(popup->isVisible());
  popup->hide();
  SelectRows({0});
  Action("DeleteCommand2")->trigger();
  EXPECT_EQ(Items(), (Texts{"b"}));
  Action("DeleteCommand2")->trigger();
  EXPECT_EQ(user.errors, (Texts{"No item(s) selected"}));
}

TEST_F(EditorWindowTest, ReplaceAllChangesEveryLine) {
  LoadLines({"a.txt", "b.txt"});
  user.replaces.push_back(ReplaceStrings{".txt", ".md"});
  user.replaces.push_back(std::nullopt);
  Action("Replace1")->trigger();
  EXPECT_EQ(Items(), (Texts{"a.md", "b.md"}));
  EXPECT_EQ(Panel("Panel1"), "Modified");
  Action("Replace1")->trigger();
  EXPECT_EQ(Items(), (Texts{"a.md", "b.md"}));
  EXPECT_EQ(user.replaceDialogs, 2);
}

TEST_F(EditorWindowTest, SaveAsWritesTheFileAndRetitles) {
  dialog.Accept([](CommandDialogModel& d) { d.Prog = ";"; d.Args = "note"; });
  Action("NewCommand1")->trigger();
  EXPECT_EQ(Items(), (Texts{";note"}));
  const std::string path = dir.File("saved.tm");
  user.saveNames.push_back(path);
  Action("SaveAs1")->trigger();
  EXPECT_EQ(user.saveRequests, (std::vector<FileDialogRequest>{SaveCommandFileRequest()}));
  EXPECT_EQ(ReadFileText(path), ";note\r\n");
  EXPECT_EQ(window.windowTitle(), "Tolm Command File Editor - saved.tm");
  EXPECT_EQ(Panel("Panel1"), "");
}

TEST_F(EditorWindowTest, OpenAsksAboutChangesOnceAndReadsTheChosenFile) {
  LoadLines({"a"});
  SelectRows({0});
  Action("DeleteCommand1")->trigger();
  const std::string other = dir.Write("other.tm", "x\r\n  y\r\n");
  user.yesNo.push_back(false);
  user.openNames.push_back(other);
  Action("Open1")->trigger();
  EXPECT_EQ(user.questions, (Texts{"Do you want to save your changes?"}));
  EXPECT_EQ(user.openRequests, (std::vector<FileDialogRequest>{OpenCommandFileRequest()}));
  EXPECT_EQ(Items(), (Texts{"x", "y"}));
  EXPECT_EQ(window.windowTitle(), "Tolm Command File Editor - other.tm");

  Action("New1")->trigger();
  EXPECT_EQ(Items(), Texts{});
  EXPECT_EQ(window.windowTitle(), "Untitled - Tolm Command File Editor");
}

TEST_F(EditorWindowTest, RunShowsTheRunningCaptionAndTakesNoInputMeanwhile) {
  const std::string path = LoadLines({"/pause hi"});
  Action("Run1")->trigger();
  EXPECT_EQ(runs, (Texts{"@\"" + path + "\""}));
  EXPECT_EQ(titlesDuringRun, (Texts{"Running t.tm - Tolm Command File Editor"}));
  EXPECT_EQ(enabledDuringRun, (std::vector<bool>{false}));
  EXPECT_TRUE(window.centralWidget()->isEnabled());
  EXPECT_EQ(window.windowTitle(), "Tolm Command File Editor - t.tm");

  // Unsaved changes the user does not save: no run.
  SelectRows({0});
  Action("DeleteCommand1")->trigger();
  user.yesNo.push_back(false);
  Action("Run1")->trigger();
  EXPECT_EQ(user.questions,
            (Texts{"You must save changes before running.\r\nDo you want to save your changes?"}));
  EXPECT_EQ(runs.size(), 1u);
}

TEST_F(EditorWindowTest, ClosingAsksAboutChangesAndStaysOpenWhenTheSaveDidNotHappen) {
  window.Start("");
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  QSignalSpy closed(&window, &EditorWindow::Closed);
  dialog.Cancel();
  Action("NewCommand1")->trigger();

  // Yes, then the save dialog is cancelled: the changes are kept and the
  // window stays.
  user.yesNo.push_back(true);
  user.saveNames.push_back(std::nullopt);
  Action("Exit1")->trigger();
  EXPECT_TRUE(window.isVisible());
  EXPECT_EQ(closed.count(), 0);
  EXPECT_EQ(Panel("Panel1"), "Modified");

  // No: the changes are given up and the window closes.
  user.yesNo.push_back(false);
  window.close();
  EXPECT_FALSE(window.isVisible());
  EXPECT_EQ(closed.count(), 1);
  EXPECT_EQ(user.questions, (Texts{"Do you want to save your changes?", "Do you want to save your changes?"}));
}

TEST_F(EditorWindowTest, AboutShowsTheAboutBox) {
  int shown = 0;
  window.SetShowAbout([&shown] { ++shown; });
  Action("About1")->trigger();
  EXPECT_EQ(shown, 1);
}

}  // namespace
}  // namespace tolm
