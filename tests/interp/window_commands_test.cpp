// The window commands and "/sendkeys" on a scripted desktop.
#include <cstdlib>

#include "interp_fixture.h"
#include "services/seams/keyboard.h"
#include "services/seams/wait_limit.h"
#include "services/seams/window_search.h"

namespace tolm {
namespace {

// A desktop whose windows can change from one search to the next; records
// the actions asked of it.
class ScriptedDesktop : public WindowSystem {
 public:
  // desktops[i] is what search i sees; the last one stays.
  std::vector<std::vector<WindowInfo>> desktops{{}};
  std::vector<std::string> actions;
  int searches = 0;

  std::vector<WindowInfo> ListWindows(bool) override {
    size_t i = std::min(static_cast<size_t>(searches++), desktops.size() - 1);
    return desktops[i];
  }
  void Activate(WindowHandle w) override { actions.push_back("activate " + std::to_string(w)); }
  void Close(WindowHandle w) override { actions.push_back("close " + std::to_string(w)); }
  void Quit(WindowHandle w) override { actions.push_back("quit " + std::to_string(w)); }
};

class RecordingKeys : public KeyboardSystem {
 public:
  std::string typed;
  void BeginKeys(const std::vector<char32_t>&) override {}
  std::optional<bool> CharacterNeedsShift(char32_t c) override { return c >= 'A' && c <= 'Z'; }
  void PressNamed(NamedKey key, bool down) override {
    if (key == NamedKey::Shift) typed += down ? "[S" : "]";
    if (key == NamedKey::Return && down) typed += "<CR>";
  }
  void PressCharacter(char32_t c, bool down) override {
    if (down) typed += static_cast<char>(c);
  }
  void EndKeys() override {}
};

class WindowCommandsTest : public InterpTest {
 protected:
  WindowCommandsTest() {
    WaitInterval = 5;
    InstallFakeDesktop(&desktop, &keys);
  }
  ScriptedDesktop desktop;
  RecordingKeys keys;
};

TEST_F(WindowCommandsTest, ActOnTheFirstMatchingWindow) {
  desktop.desktops = {{{11, "OK", "Button"}, {10, "Report - Editor", "Editor"}, {30, "Notes - Editor", "Editor"}}};
  EXPECT_EQ(Run("/activate *Editor\n/close Notes*\n/killwindow OK"), "");
  EXPECT_EQ(desktop.actions, (std::vector<std::string>{"activate 10", "close 30", "quit 11"}));
}

TEST_F(WindowCommandsTest, AMissingWindowIsASoftFailure) {
  EXPECT_EQ(Run("/activate /ignore Nothing"), "");
  EXPECT_EQ(Run("/close /warn Nothing"), "");
  EXPECT_EQ(ui.messages, (std::vector<process_fakes::Message>{{MessageKind::Error, "/close could not find \"Nothing\" window"}}));
  EXPECT_EQ(Run("/killwindow Nothing at all"),
            Wrapped("/killwindow Nothing at all", "/killwindow could not find \"Nothing at all\" window"));
  EXPECT_EQ(Run("/activate /ignore \"\""),
            Wrapped("/activate/ignore \"\"", "INTERNAL ERROR: /activate argument missing"));
  EXPECT_TRUE(desktop.actions.empty());
}

TEST_F(WindowCommandsTest, WaitForPollsUntilTheWindowAppears) {
  desktop.desktops = {{}, {}, {{7, "Done", "X"}}};
  EXPECT_EQ(Run("/waitfor Done"), "");
  EXPECT_EQ(desktop.searches, 3);
  desktop.searches = 0;
  desktop.desktops = {{{7, "Done", "X"}}, {{7, "Done", "X"}}, {}};
  EXPECT_EQ(Run("/waitclose Do*"), "");
  EXPECT_EQ(desktop.searches, 3);
}

TEST_F(WindowCommandsTest, AConditionThatAlreadyHoldsStillCostsOneInterval) {
  desktop.desktops = {{}};
  WaitInterval = 50;
  auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(Run("/waitclose Anything"), "");
  EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(50));
  EXPECT_EQ(desktop.searches, 1);
}

TEST_F(WindowCommandsTest, ANegativeIntervalIsARangeError) {
  EXPECT_EQ(Run("/set waitinternval=0 - 1\n/waitfor x"), Wrapped("/waitfor x", "Range check error"));
}

// A run with --wait-timeout: the waits for windows give up at the limit.
class LimitedWindowWaitTest : public WindowCommandsTest {
 protected:
  LimitedWindowWaitTest() { SetWaitTimeout(std::chrono::milliseconds(60)); }
  // Before the fixture collects what the fake keeps running: without a
  // limit the fake's programs end when waited for.
  ~LimitedWindowWaitTest() override { SetWaitTimeout(std::nullopt); }
};

TEST_F(LimitedWindowWaitTest, AWaitThatOutlastsTheLimitFailsWithWhatItWaitedFor) {
  desktop.desktops = {{{7, "Other", "X"}}};
  const auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(Run("/waitfor Tolm demo*"),
            Wrapped("/waitfor Tolm demo*", "/waitfor timed out after 0.06 seconds: no window matches \"Tolm demo*\""));
  const auto took = std::chrono::steady_clock::now() - start;
  EXPECT_GE(took, std::chrono::milliseconds(60));
  EXPECT_LT(took, std::chrono::milliseconds(500));
  EXPECT_GE(desktop.searches, 2) << "it went on looking every interval until the limit";
  EXPECT_EQ(Run("/waitclose Oth*"),
            Wrapped("/waitclose Oth*", "/waitclose timed out after 0.06 seconds: a window still matches \"Oth*\""));
}

TEST_F(LimitedWindowWaitTest, AWaitThatEndsInTimeSucceeds) {
  desktop.desktops = {{}, {{7, "Tolm demo", "X"}}};
  EXPECT_EQ(Run("/waitfor Tolm demo*"), "");
  EXPECT_EQ(desktop.searches, 2);
}

TEST_F(LimitedWindowWaitTest, ALimitShorterThanTheIntervalStillLooksOnceAtTheLimit) {
  WaitInterval = 5000;
  desktop.desktops = {{{7, "Tolm demo", "X"}}};
  const auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(Run("/waitfor Tolm demo*"), "");
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(1000));
  EXPECT_EQ(desktop.searches, 1);
  EXPECT_EQ(Run("/waitclose Tolm demo*"),
            Wrapped("/waitclose Tolm demo*",
                    "/waitclose timed out after 0.06 seconds: a window still matches \"Tolm demo*\""));
  EXPECT_EQ(desktop.searches, 2);
}

TEST_F(LimitedWindowWaitTest, ATimeOutIsASoftFailure) {
  EXPECT_EQ(Run("/waitfor /ignore Nothing\n/waitfor /warn Nothing either"), "");
  EXPECT_EQ(ui.messages, (std::vector<process_fakes::Message>{
                             {MessageKind::Error,
                              "/waitfor timed out after 0.06 seconds: no window matches \"Nothing either\""}}));
  // A /do block absorbs it: errorlevel() 1, and the run goes on.
  EXPECT_EQ(Run("/do {\n/waitfor Nothing\n} /while 0\n/set AFTER=errorlevel()"), "");
  EXPECT_STREQ(std::getenv("AFTER"), "1");
  unsetenv("AFTER");
}

TEST_F(LimitedWindowWaitTest, ProgramWaitsAndWaitAllFailAsCommandsToo) {
  const process_fakes::ScriptedStart running{0, 0, 0, nullptr, true};
  platform.nextStarts = {running};
  EXPECT_EQ(Run("sleep /wait 30"),
            Wrapped("sleep/wait 30", "/wait timed out after 0.06 seconds: \"sleep\" is still running"));
  EXPECT_EQ(Run("/waitall"), Wrapped("/waitall", "/waitall timed out after 0.06 seconds: 1 program is still running"));
  platform.nextStarts = {running, running};
  EXPECT_EQ(Run("sleep /wait /ignore 30\nsleep /wait /warn 30"), "") << "softened like a failure to start";
  EXPECT_EQ(ui.messages, (std::vector<process_fakes::Message>{
                             {MessageKind::Error, "/wait timed out after 0.06 seconds: \"sleep\" is still running"}}));
}

TEST_F(WindowCommandsTest, SendKeysTypesTheTranslatedString) {
  // On a command line a "}" ends a one-text argument, so braces are quoted there.
  EXPECT_EQ(Run("/sendkeys \"Hi{ENTER}+a\""), "");
  EXPECT_EQ(keys.typed, "[SH]i<CR>[Sa]");
  EXPECT_EQ(Run("/sendkeys \"x\" & env(TOLM_NO_SUCH_VAR) & \"~\""), "");
  EXPECT_EQ(keys.typed, "[SH]i<CR>[Sa]x<CR>");
}

}  // namespace
}  // namespace tolm
