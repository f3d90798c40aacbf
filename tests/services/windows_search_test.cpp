#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "services/core/errors.h"
#include "services/seams/desktop.h"
#include "services/seams/window_search.h"

namespace tolm {
namespace {

// Hands out a fixed desktop and records the actions asked of it.
class FakeWindowSystem : public WindowSystem {
 public:
  std::vector<WindowInfo> desktop;
  std::vector<std::string> actions;
  std::vector<bool> classesAsked;

  std::vector<WindowInfo> ListWindows(bool withClasses) override {
    classesAsked.push_back(withClasses);
    return desktop;
  }
  void Activate(WindowHandle w) override { actions.push_back("activate " + std::to_string(w)); }
  void Close(WindowHandle w) override { actions.push_back("close " + std::to_string(w)); }
  void Quit(WindowHandle w) override { actions.push_back("quit " + std::to_string(w)); }
};

class WindowSearchTest : public ::testing::Test {
 protected:
  void SetUp() override {
    // A dialog with two buttons (children first), an untitled window, an editor.
    fake_.desktop = {{11, "OK", "Button"},        {12, "Cancel", "Button"},
                     {10, "Save changes?", "Dialog"}, {20, "", "Frame"},
                     {30, "Report - Editor", "Editor"}};
    InstallDesktop(DesktopBackend{&fake_, nullptr, {}});
  }
  void TearDown() override { UninstallDesktop(); }

  FakeWindowSystem fake_;
};

TEST_F(WindowSearchTest, StarListsEveryTitledWindowInWalkOrder) {
  EXPECT_EQ(FindWindows("*", "*"), 4);
  EXPECT_EQ(FoundWindows(), (std::vector<WindowHandle>{11, 12, 10, 30}));
  EXPECT_EQ(FoundTitles(), (std::vector<std::string>{"OK", "Cancel", "Save changes?", "Report - Editor"}));
  EXPECT_EQ(FoundCount(), 4);
}

TEST_F(WindowSearchTest, TitleAndClassPatternsMustBothMatch) {
  struct Case {
    const char* title;
    const char* cls;
    std::vector<WindowHandle> expected;
  };
  const Case cases[] = {
      {"*Editor", "*", {30}},          {"*", "Button", {11, 12}},
      {"*a*", "Dialog", {10}},         {"*a*", "*", {12, 10}},
      {"report*", "*", {}},            {"", "Editor", {30}},
      {"*", "", {11, 12, 10, 30}},     {"Save changes?", "Button", {}},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FindWindows(c.title, c.cls), static_cast<int>(c.expected.size())) << c.title << " / " << c.cls;
    EXPECT_EQ(FoundWindows(), c.expected) << c.title << " / " << c.cls;
  }
}

TEST_F(WindowSearchTest, ClassesAreAskedForOnlyWhenThePatternNeedsThem) {
  FindWindows("*", "*");
  FindWindows("*", "");
  FindWindows("*", "Button");
  FindWindowByTitle("OK");
  EXPECT_EQ(fake_.classesAsked, (std::vector<bool>{false, false, true, false}));
}

TEST_F(WindowSearchTest, ANewSearchReplacesTheResults) {
  FindWindows("*", "*");
  EXPECT_EQ(FindWindows("OK", "*"), 1);
  EXPECT_EQ(FoundCount(), 1);
  EXPECT_EQ(FoundTitles(), std::vector<std::string>{"OK"});
  EXPECT_EQ(FindWindows("nothing", "*"), 0);
  EXPECT_EQ(FoundCount(), 0);
}

TEST_F(WindowSearchTest, FindWindowByTitleGivesTheFirstMatchChildBeforeParent) {
  fake_.desktop[0].title = "Save";
  EXPECT_EQ(FindWindowByTitle("Save*"), 11);
  EXPECT_EQ(FindWindowByTitle("Missing"), kNoWindow);
}

TEST_F(WindowSearchTest, AnEmptyDesktopExaminesNothing) {
  fake_.desktop.clear();
  EXPECT_EQ(FindWindows("*", "*"), -1);
  EXPECT_EQ(FindWindowByTitle("*"), kNoWindow);
}

TEST_F(WindowSearchTest, UntitledWindowsNeverMatch) {
  fake_.desktop = {{1, "", "Frame"}};
  EXPECT_EQ(FindWindows("*", "*"), 0);
  EXPECT_EQ(FindWindows("", "*"), 0);
}

TEST_F(WindowSearchTest, TitlesAndClassesAreClippedTo254Bytes) {
  const std::string longTitle(300, 't');
  const std::string longClass(300, 'c');
  fake_.desktop = {{7, longTitle, longClass}};
  EXPECT_EQ(FindWindows(longTitle, "*"), 0);
  EXPECT_EQ(FindWindows(std::string(254, 't'), std::string(254, 'c')), 1);
  EXPECT_EQ(FoundTitles().front().size(), 254u);
}

TEST_F(WindowSearchTest, AClipNeverSplitsAUtf8Character) {
  // 252 bytes, then characters of 2, 3 and 4 bytes straddling the limit.
  for (const std::string tail : {"\xC3\xA9z", "\xE2\x82\xACz", "\xF0\x9F\x99\x82z"}) {
    fake_.desktop = {{7, std::string(252, 't') + "ab" + tail, "C"}};
    ASSERT_EQ(FindWindows("*", "*"), 1) << tail;
    EXPECT_EQ(FoundTitles().front(), std::string(252, 't') + "ab") << tail;
  }
  fake_.desktop = {{7, std::string(252, 't') + "\xC3\xA9\xC3\xA9", "C"}};
  ASSERT_EQ(FindWindows("*", "*"), 1);
  EXPECT_EQ(FoundTitles().front(), std::string(252, 't') + "\xC3\xA9");
}

TEST_F(WindowSearchTest, ResultsGrowBeyond501) {
  fake_.desktop.clear();
  for (int i = 0; i < 1200; ++i) fake_.desktop.push_back({i, "w" + std::to_string(i), "C"});
  EXPECT_EQ(FindWindows("w*", "*"), 1200);
  EXPECT_EQ(FoundWindows().back(), 1199);
  EXPECT_EQ(FoundTitles()[700], "w700");
}

TEST_F(WindowSearchTest, ActionsGoToTheWindowSystem) {
  WindowActivate(30);
  WindowClose(10);
  WindowQuit(11);
  EXPECT_EQ(fake_.actions, (std::vector<std::string>{"activate 30", "close 10", "quit 11"}));
}

TEST(WindowSearchWithoutSystem, EveryOperationThrows) {
  InstallDesktop(DesktopBackend{});
  const std::string message = "Window commands are not available: no window system is installed";
  auto expectThrow = [&](auto&& call) {
    try {
      call();
      ADD_FAILURE() << "no exception";
    } catch (const Exception& e) {
      EXPECT_EQ(e.Message(), message);
    }
  };
  expectThrow([] { FindWindows("*", "*"); });
  expectThrow([] { FindWindowByTitle("*"); });
  expectThrow([] { WindowActivate(1); });
  expectThrow([] { WindowClose(1); });
  expectThrow([] { WindowQuit(1); });
  UninstallDesktop();
}

}  // namespace
}  // namespace tolm
