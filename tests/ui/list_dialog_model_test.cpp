#include "ui/core/list_dialog_model.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "fakes/fake_process_platform.h"
#include "services/seams/desktop.h"
#include "services/seams/window_search.h"
#include "ui/scripted_user.h"

namespace tolm {
namespace {

using process_fakes::FakeProcessPlatform;
using testing::ScriptedUser;

// A fixed desktop.
class FakeDesktop : public WindowSystem {
 public:
  FakeDesktop() { InstallDesktop(DesktopBackend{this, nullptr, {}}); }
  ~FakeDesktop() override { UninstallDesktop(); }
  std::vector<WindowInfo> windows;
  std::vector<WindowInfo> ListWindows(bool) override { return windows; }
  void Activate(WindowHandle) override {}
  void Close(WindowHandle) override {}
  void Quit(WindowHandle) override {}
};

class ListDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    platform_.processes = {{1, "/usr/bin/notepad.exe"}, {2, ""},           {3, "/bin/bash"},
                           {4, "C:\\win\\Note.exe"},     {5, "/bin/bash"}, {6, "/opt/x/worker"}};
    desktop_.windows = {{11, "OK", "Button"}, {10, "Notepad", "Dialog"}, {20, "", "Frame"}, {30, "my notes", "X"}};
  }
  FakeProcessPlatform platform_;
  FakeDesktop desktop_;
};

TEST_F(ListDialogTest, OpensWithEveryRunningProgram) {
  ListDialogModel d;
  EXPECT_EQ(d.Caption, "Running processes");
  d.OnActivate();
  EXPECT_EQ(d.Caption, "List of running processes");
  EXPECT_EQ(d.Filter, "*");
  // Upper case, without directory, in enumeration order, duplicates kept,
  // unreadable names left out.
  EXPECT_EQ(d.Items, (std::vector<std::string>{"NOTEPAD.EXE", "BASH", "NOTE.EXE", "BASH", "WORKER"}));
}

TEST_F(ListDialogTest, OpensWithEveryWindowTitle) {
  ListDialogModel d;
  d.WindowMode = true;
  d.OnActivate();
  EXPECT_EQ(d.Caption, "List of windows");
  EXPECT_EQ(d.Items, (std::vector<std::string>{"OK", "Notepad", "my notes"}));
}

TEST_F(ListDialogTest, FindNarrowsTheListAndRefreshRestoresIt) {
  const struct {
    bool windowMode;
    std::optional<std::string> typed;
    std::string filter;
    std::vector<std::string> items;
  } cases[] = {
      {false, "note", "*NOTE*", {"NOTEPAD.EXE", "NOTE.EXE"}},
      {false, "ASH", "*ASH*", {"BASH", "BASH"}},
      {false, "", "", {"NOTEPAD.EXE", "BASH", "NOTE.EXE", "BASH", "WORKER"}},
      {false, std::nullopt, "", {"NOTEPAD.EXE", "BASH", "NOTE.EXE", "BASH", "WORKER"}},
      {false, "nothing", "*NOTHING*", {}},
      {true, "note", "*note*", {"my notes"}},  // window titles keep their letter case
      {true, "Note", "*Note*", {"Notepad"}},
      {true, std::nullopt, "", {"OK", "Notepad", "my notes"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.typed.value_or("(cancelled)"));
    ScriptedUser user;
    user.inputs.push_back(c.typed);
    ListDialogModel d;
    d.WindowMode = c.windowMode;
    d.OnActivate();
    d.Button3Click(user);
    EXPECT_EQ(user.inputBoxes,
              (std::vector<std::vector<std::string>>{{"Enter find string", "Please Enter string to find", ""}}));
    EXPECT_EQ(d.Filter, c.filter);
    EXPECT_EQ(d.Items, c.items);
    d.Button2Click();
    EXPECT_EQ(d.Filter, "*");
    EXPECT_EQ(d.Items.size(), c.windowMode ? 3u : 5u);
  }
}

}  // namespace
}  // namespace tolm
