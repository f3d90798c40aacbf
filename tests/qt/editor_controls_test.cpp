// The editor window's controls, menus, status panels and titles.
#include <QMenuBar>
#include <QScreen>
#include <QStatusBar>
#include <QTest>
#include <QToolButton>
#include <QWindow>
#include <string>
#include <vector>

#include "editor_window_fixture.h"

namespace tolm {
namespace {

using testing::EditorWindowTest;
using Texts = std::vector<std::string>;

Texts ActionTexts(const QWidget* menu) {
  Texts texts;
  for (const QAction* a : menu->actions()) texts.push_back(a->isSeparator() ? "-" : a->text().toStdString());
  return texts;
}

TEST_F(EditorWindowTest, ControlsCarryTheirNamesAndShapes) {
  EXPECT_EQ(List()->selectionMode(), QAbstractItemView::ExtendedSelection);
  EXPECT_EQ(Find<QToolButton>("btnUp")->arrowType(), Qt::UpArrow);
  EXPECT_EQ(Find<QToolButton>("btnDown")->arrowType(), Qt::DownArrow);
  EXPECT_EQ(Find<QLabel>("Label2")->text(), "Move");
  QStatusBar* bar = Find<QStatusBar>("StatusBar1");
  ASSERT_NE(bar, nullptr);
  EXPECT_EQ(bar->findChild<QLabel*>("Panel0")->width(), 450);
  const QLabel* modified = bar->findChild<QLabel*>("Panel1");
  EXPECT_EQ(modified->width(), 50);
  // "Modified" fits its panel whole.
  EXPECT_LE(modified->fontMetrics().horizontalAdvance("Modified"),
            50 - 2 * modified->frameWidth() - 2 * modified->indent());
  EXPECT_EQ(Find<QMenuBar>("MainMenu1"), window.menuBar());
  EXPECT_FALSE(window.windowIcon().isNull());
}

TEST_F(EditorWindowTest, MenusHoldEveryItemWithItsAccelerator) {
  struct MenuCase {
    const char* name;
    std::string title;
    Texts items;
  };
  const MenuCase menus[] = {
      {"File1", "&File", {"&New", "&Open...", "&Save", "Save &As...", "-", "&Run", "-", "E&xit"}},
      {"Edit1",
       "&Edit",
       {"&New Command (Insert)...", "&Edit Command (Enter)...", "&Delete Commands (Delete)", "-", "Replace All..."}},
      {"Help1", "&Help", {"&About"}},
      {"PopupMenu1", "", {"&New Command...", "&Edit Command...", "&Delete Command"}},
  };
  Texts bar;
  for (const QAction* a : window.menuBar()->actions()) bar.push_back(a->text().toStdString());
  EXPECT_EQ(bar, (Texts{"&File", "&Edit", "&Help"}));
  for (const auto& m : menus) {
    SCOPED_TRACE(m.name);
    QMenu* menu = Find<QMenu>(m.name);
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(menu->title().toStdString(), m.title);
    EXPECT_EQ(ActionTexts(menu), m.items);
  }
}

TEST_F(EditorWindowTest, TitlesAreExactlyTheCaptions) {
  window.Start("");
  EXPECT_EQ(window.windowTitle(), "Untitled - Tolm Command File Editor");
  LoadLines({"a"}, "run me.tm");
  EXPECT_EQ(window.windowTitle(), "Tolm Command File Editor - run me.tm");
  // Qt would take "[*]" for the modified mark and drop it from the title.
  LoadLines({"a"}, "odd[*].tm");
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  EXPECT_EQ(window.windowHandle()->title(), "Tolm Command File Editor - odd[*].tm");
}

TEST_F(EditorWindowTest, ShowsCentredOnTheScreen) {
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
  const QPoint offset = window.frameGeometry().center() - window.screen()->availableGeometry().center();
  EXPECT_LE(offset.manhattanLength(), 2) << offset.x() << "," << offset.y();
}

TEST_F(EditorWindowTest, StatusPanelsShowMessagesAndTheModifiedState) {
  LoadLines({"a", "b"});
  EXPECT_EQ(Items(), (Texts{"a", "b"}));
  EXPECT_EQ(Panel("Panel1"), "");
  QTest::mouseClick(Find<QToolButton>("btnUp"), Qt::LeftButton);
  EXPECT_EQ(Panel("Panel0"), "No item(s) selected");
  EXPECT_EQ(beeps, 1);
  SelectRows({1});
  QTest::mouseClick(Find<QToolButton>("btnUp"), Qt::LeftButton);
  EXPECT_EQ(Items(), (Texts{"b", "a"}));
  EXPECT_EQ(SelectedRows(), (std::vector<int>{0}));
  EXPECT_EQ(Panel("Panel0"), "");
  EXPECT_EQ(Panel("Panel1"), "Modified");
  EXPECT_EQ(beeps, 1);
}

}  // namespace
}  // namespace tolm
