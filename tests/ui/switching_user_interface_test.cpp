#include "ui/switch/switching_user_interface.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "services/core/errors.h"

namespace tolm {
namespace {

// Records every call as one line.
class RecordingInterface : public UserInterface {
 public:
  explicit RecordingInterface(std::string name) : name_(std::move(name)) {}
  std::vector<std::string> calls;
  std::string failure;  // thrown by the next call

  void ShowInfoDialog(const std::string& text, bool endOfRun) override {
    Record("info " + text + (endOfRun ? " (end)" : ""));
  }
  void ShowMessage(MessageKind, const std::string& text) override { Record("message " + text); }
  bool AskYesNo(const std::string& text) override {
    Record("ask " + text);
    return true;
  }
  void Pause(const std::string& text) override { Record("pause " + text); }
  void ShowListDialog(bool windowMode) override { Record(windowMode ? "wlist" : "plist"); }
  void EditCommandFile(const std::string& fileName) override { Record("edit " + fileName); }

 private:
  void Record(const std::string& call) {
    calls.push_back(name_ + ": " + call);
    if (!failure.empty()) throw Exception(std::exchange(failure, ""));
  }
  std::string name_;
};

void ShowEverything(UserInterface& ui) {
  ui.ShowInfoDialog("trace", true);
  ui.ShowMessage(MessageKind::Warning, "careful");
  EXPECT_TRUE(ui.AskYesNo("sure?"));
  ui.Pause("hello");
  ui.ShowListDialog(true);
  ui.EditCommandFile("a.tm");
}

std::vector<std::string> EverythingOn(const std::string& name) {
  return {name + ": info trace (end)", name + ": message careful", name + ": ask sure?",
          name + ": pause hello",      name + ": wlist",           name + ": edit a.tm"};
}

TEST(WantsWindows, OnlyWithADisplayAndWithoutConsole) {
  struct Case {
    bool console;
    const char* display;
    bool windows;
  };
  for (const Case& c : {Case{false, ":0", true}, Case{true, ":0", false}, Case{false, nullptr, false},
                        Case{false, "", false}, Case{true, nullptr, false}}) {
    EXPECT_EQ(WantsWindows(c.console, c.display), c.windows) << c.console << " " << (c.display ? c.display : "null");
  }
}

TEST(SwitchingUserInterface, WithoutWindowsTheConsoleServesEverything) {
  RecordingInterface console("console");
  SwitchingUserInterface ui(console, nullptr);
  ShowEverything(ui);
  EXPECT_EQ(console.calls, EverythingOn("console"));
  EXPECT_FALSE(ui.ShowsWindows());
}

TEST(SwitchingUserInterface, LoadsTheWindowsOnTheFirstCallThatShowsSomething) {
  RecordingInterface console("console"), windows("windows");
  int loads = 0;
  SwitchingUserInterface ui(console, [&] {
    ++loads;
    return &windows;
  });
  EXPECT_EQ(loads, 0) << "nothing shown yet, nothing loaded";
  ShowEverything(ui);
  EXPECT_EQ(loads, 1);
  EXPECT_TRUE(ui.ShowsWindows());
  EXPECT_EQ(windows.calls, EverythingOn("windows"));
  EXPECT_TRUE(console.calls.empty());
}

TEST(SwitchingUserInterface, AModuleThatCannotBeLoadedIsReportedOnceAndTheConsoleServes) {
  RecordingInterface console("console");
  int loads = 0;
  SwitchingUserInterface ui(console, [&]() -> UserInterface* {
    ++loads;
    throw Exception("tolm32-qt.so not found");
  });
  ::testing::internal::CaptureStderr();
  ShowEverything(ui);
  EXPECT_EQ(::testing::internal::GetCapturedStderr(),
            "tolm32: cannot show windows (tolm32-qt.so not found); using the console instead\n");
  EXPECT_EQ(loads, 1) << "one attempt per run";
  EXPECT_EQ(console.calls, EverythingOn("console"));
}

TEST(SwitchingUserInterface, AFailureOfTheWindowsReachesTheCallerAndTheWindowsStay) {
  RecordingInterface console("console"), windows("windows");
  SwitchingUserInterface ui(console, [&] { return &windows; });
  windows.failure = "/edit: the command file editor is not available in this build";
  try {
    ui.EditCommandFile("a.tm");
    FAIL() << "no failure raised";
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), "/edit: the command file editor is not available in this build");
  }
  EXPECT_EQ(windows.calls, std::vector<std::string>{"windows: edit a.tm"});
  // A failed call is not a failed module: the windows serve the next call.
  EXPECT_NO_THROW(ui.ShowMessage(MessageKind::Error, "x"));
  EXPECT_EQ(windows.calls.back(), "windows: message x");
}

}  // namespace
}  // namespace tolm
