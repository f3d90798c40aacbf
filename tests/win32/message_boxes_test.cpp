// The four standard boxes as the system shows them: caption, text, buttons
// and the answer of "Confirm".
#include <gtest/gtest.h>

#include "ui/win32/message_boxes.h"
#include "ui/win32/win32_user_interface.h"
#include "win32/modal_driver.h"

namespace tolm::testing {
namespace {

std::vector<std::string> ButtonTexts(HWND box) {
  std::vector<std::string> texts;
  for (const Control& c : Controls(box)) {
    if (c.className == "Button") texts.push_back(c.text);
  }
  return texts;
}

bool ShowsText(HWND box, const std::string& text) {
  for (const Control& c : Controls(box)) {
    if (c.className == "Static" && c.text == text) return true;
  }
  return false;
}

TEST(Win32MessageBoxes, EachKindHasItsCaptionItsTextAndOneOkButton) {
  Win32UserInterface ui;
  for (auto [kind, caption] : {std::pair{MessageKind::Information, "Information"},
                               std::pair{MessageKind::Warning, "Warning"}, std::pair{MessageKind::Error, "Error"}}) {
    ModalDriver driver({[](HWND box) {
      EXPECT_TRUE(ShowsText(box, "first line\r\nsecond line"));
      EXPECT_EQ(ButtonTexts(box), std::vector<std::string>{"OK"});
      Click(box, IDOK);
    }});
    ui.ShowMessage(kind, "first line\nsecond line");
    EXPECT_EQ(driver.titles, std::vector<std::string>{caption});
    EXPECT_EQ(driver.StepsLeft(), 0u);
  }
}

TEST(Win32MessageBoxes, PauseShowsAnInformationBox) {
  Win32UserInterface ui;
  ModalDriver driver({[](HWND box) {
    EXPECT_TRUE(ShowsText(box, "hello"));
    Click(box, IDOK);
  }});
  ui.Pause("hello");
  EXPECT_EQ(driver.titles, std::vector<std::string>{"Information"});
}

TEST(Win32MessageBoxes, ConfirmAsksWithYesAndNo) {
  Win32UserInterface ui;
  for (auto [press, yes] : {std::pair{IDYES, true}, std::pair{IDNO, false}}) {
    ModalDriver driver({[press = press](HWND box) {
      EXPECT_TRUE(ShowsText(box, "Save?"));
      EXPECT_EQ(ButtonTexts(box), (std::vector<std::string>{"&Yes", "&No"}));
      Click(box, press);
    }});
    EXPECT_EQ(ui.AskYesNo("Save?"), yes);
    EXPECT_EQ(driver.titles, std::vector<std::string>{"Confirm"});
  }
}

}  // namespace
}  // namespace tolm::testing
