// The window commands and "/sendkeys" on a scripted desktop.
#include "interp_fixture.h"
#include "services/seams/keyboard.h"
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

TEST_F(WindowCommandsTest, SendKeysTypesTheTranslatedString) {
  // On a command line a "}" ends a one-text argument, so braces are quoted there.
  EXPECT_EQ(Run("/sendkeys \"Hi{ENTER}+a\""), "");
  EXPECT_EQ(keys.typed, "[SH]i<CR>[Sa]");
  EXPECT_EQ(Run("/sendkeys \"x\" & env(TOLM_NO_SUCH_VAR) & \"~\""), "");
  EXPECT_EQ(keys.typed, "[SH]i<CR>[Sa]x<CR>");
}

}  // namespace
}  // namespace tolm
