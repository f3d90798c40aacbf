// The module boundary in one process: what a module offers (the guest's
// CallsOf) as the program sees it (ModuleDesktop, UserInterfaceOf). Each failure
// must cross as its message and arrive as an Exception with the same text.
// The suite links the guest's offers and the program's adapters alone: the
// guest's services would clash with the program's, and the link would say so.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdio>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "services/core/errors.h"
#include "services/modules/boundary.h"
#include "services/modules/guest/guest.h"
#include "services/modules/module_desktop.h"
#include "services/modules/module_user_interface.h"
#include "services/seams/desktop.h"
#include "services/seams/user_interface.h"

namespace tolm {
namespace {

// Throws what it is told to, records the rest.
class ThrowingDesktop : public WindowSystem, public KeyboardSystem {
 public:
  std::vector<std::string> calls;

  std::vector<WindowInfo> ListWindows(bool withClasses) override {
    calls.push_back(withClasses ? "list with classes" : "list");
    return {{7, "Editor", "Edit"}, {8, "Ünïcode ✓", ""}};
  }
  void Activate(WindowHandle w) override {
    if (w == 1) throw Exception("the window went away");
    calls.push_back("activate " + std::to_string(w));
  }
  void Close(WindowHandle) override { throw std::runtime_error("a standard failure"); }
  void Quit(WindowHandle) override { throw 42; }
  void BeginKeys(const std::vector<char32_t>& characters) override {
    calls.push_back("begin " + std::to_string(characters.size()));
  }
  std::optional<bool> CharacterNeedsShift(char32_t c) override {
    if (c == U'€') return std::nullopt;
    return c == U'A';
  }
  void PressNamed(NamedKey, bool) override { throw Exception("the keyboard went away"); }
  void PressCharacter(char32_t c, bool down) override {
    calls.push_back(std::string(down ? "+" : "-") + static_cast<char>(c));
  }
  void EndKeys() override { calls.push_back("end"); }
};

template <typename Call>
std::string FailureText(Call call) {
  try {
    call();
  } catch (const Exception& e) {
    return e.Message();
  }
  return "(no failure)";
}

TEST(ModuleBoundary, ADesktopsCallsArriveWithTheirResultsAndFailures) {
  ThrowingDesktop inner;
  std::vector<std::pair<int, int>> modes;
  const ModuleDesktop adapters(CallsOf(DesktopBackend{&inner, &inner, [&](int pid, int mode) {
    if (pid == 0) throw Exception("no such program");
    modes.emplace_back(pid, mode);
  }}));
  const DesktopBackend outer = adapters.Services();
  ASSERT_NE(outer.windows, nullptr);
  ASSERT_NE(outer.keyboard, nullptr);

  const std::vector<WindowInfo> windows = outer.windows->ListWindows(true);
  ASSERT_EQ(windows.size(), 2u);
  EXPECT_EQ(windows[1].title, "Ünïcode ✓");
  outer.windows->Activate(3);
  EXPECT_EQ(FailureText([&] { outer.windows->Activate(1); }), "the window went away");
  EXPECT_EQ(FailureText([&] { outer.windows->Close(1); }), "a standard failure");
  EXPECT_EQ(FailureText([&] { outer.windows->Quit(1); }), "unknown failure");

  outer.keyboard->BeginKeys({U'a', U'€'});
  EXPECT_EQ(outer.keyboard->CharacterNeedsShift(U'A'), std::optional<bool>(true));
  EXPECT_EQ(outer.keyboard->CharacterNeedsShift(U'€'), std::nullopt);
  outer.keyboard->PressCharacter(U'a', true);
  EXPECT_EQ(FailureText([&] { outer.keyboard->PressNamed(NamedKey::Shift, true); }), "the keyboard went away");
  outer.keyboard->EndKeys();
  EXPECT_EQ(inner.calls, (std::vector<std::string>{"list with classes", "activate 3", "begin 2", "+a", "end"}));

  ASSERT_TRUE(outer.showMode);
  outer.showMode(12, kShowMinimized);
  EXPECT_EQ(FailureText([&] { outer.showMode(0, kShowHide); }), "no such program");
  EXPECT_EQ(modes, (std::vector<std::pair<int, int>>{{12, kShowMinimized}}));
}

TEST(ModuleBoundary, WhatADesktopLacksStaysMissing) {
  ThrowingDesktop inner;
  const ModuleDesktop adapters(CallsOf(DesktopBackend{nullptr, &inner, {}}));
  const DesktopBackend keysOnly = adapters.Services();
  EXPECT_EQ(keysOnly.windows, nullptr);
  EXPECT_NE(keysOnly.keyboard, nullptr);
  EXPECT_FALSE(keysOnly.showMode);
}

class RecordingWindows : public UserInterface {
 public:
  std::vector<std::string> calls;
  void ShowInfoDialog(const std::string& text, bool endOfRun) override {
    calls.push_back("info " + text + (endOfRun ? " (end)" : ""));
  }
  void ShowMessage(MessageKind, const std::string& text) override { calls.push_back("message " + text); }
  bool AskYesNo(const std::string& text) override { return text == "yes?"; }
  void Pause(const std::string&) override { throw Exception("the box could not be shown"); }
  void ShowListDialog(bool windowMode) override { calls.push_back(windowMode ? "wlist" : "plist"); }
  void EditCommandFile(const std::string& fileName) override { throw std::runtime_error("cannot edit " + fileName); }
};

TEST(ModuleBoundary, AUserInterfacesCallsArriveWithTheirAnswersAndFailures) {
  RecordingWindows inner;
  const std::unique_ptr<UserInterface> adapter = UserInterfaceOf(CallsOf(inner));
  UserInterface& outer = *adapter;
  outer.ShowInfoDialog("trace", true);
  outer.ShowMessage(MessageKind::Error, "oops");
  EXPECT_TRUE(outer.AskYesNo("yes?"));
  EXPECT_FALSE(outer.AskYesNo("no?"));
  outer.ShowListDialog(true);
  EXPECT_EQ(FailureText([&] { outer.Pause("hello"); }), "the box could not be shown");
  EXPECT_EQ(FailureText([&] { outer.EditCommandFile("a.tm"); }), "cannot edit a.tm");
  EXPECT_EQ(inner.calls, (std::vector<std::string>{"info trace (end)", "message oops", "wlist"}));
}

}  // namespace
}  // namespace tolm
