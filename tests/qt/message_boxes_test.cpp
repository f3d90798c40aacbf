// The four standard boxes through the Qt user interface: kind, caption and
// buttons, the texts shown as they are, and the answers of "Confirm".
#include <QMessageBox>
#include <QPushButton>

#include <gtest/gtest.h>

#include "dialog_script.h"
#include "ui/qt/message_boxes.h"
#include "ui/qt/qt_user_interface.h"

namespace tolm::testing {
namespace {

struct BoxCase {
  MessageKind kind;
  QMessageBox::Icon icon;
  const char* caption;
};

TEST(QtMessageBoxes, EachKindHasItsCaptionIconAndOneOkButton) {
  for (const BoxCase& c : {BoxCase{MessageKind::Information, QMessageBox::Information, "Information"},
                           BoxCase{MessageKind::Warning, QMessageBox::Warning, "Warning"},
                           BoxCase{MessageKind::Error, QMessageBox::Critical, "Error"}}) {
    DialogScript script;
    script.steps.push_back([&](QDialog& d) {
      auto& box = dynamic_cast<QMessageBox&>(d);
      EXPECT_EQ(box.windowTitle().toStdString(), c.caption);
      EXPECT_EQ(box.icon(), c.icon);
      EXPECT_EQ(box.text().toStdString(), "first line\nsecond <b>line</b>");
      EXPECT_EQ(box.textFormat(), Qt::PlainText);
      EXPECT_EQ(box.standardButtons(), QMessageBox::Ok);
      ASSERT_EQ(box.buttons().size(), 1);
      box.button(QMessageBox::Ok)->click();
    });
    QtUserInterface ui(script.Runner());
    ui.ShowMessage(c.kind, "first line\r\nsecond <b>line</b>");
    EXPECT_EQ(script.titles, std::vector<std::string>{c.caption});
  }
}

TEST(QtMessageBoxes, PauseShowsAnInformationBox) {
  DialogScript script;
  script.steps.push_back([](QDialog& d) {
    auto& box = dynamic_cast<QMessageBox&>(d);
    EXPECT_EQ(box.text().toStdString(), "hello");
    EXPECT_EQ(box.icon(), QMessageBox::Information);
  });
  QtUserInterface ui(script.Runner());
  ui.Pause("hello");
  EXPECT_EQ(script.titles, std::vector<std::string>{"Information"});
}

TEST(QtMessageBoxes, ConfirmAsksWithYesAndNo) {
  struct Answer {
    const char* press;  // a button's text, or "" for Escape
    bool yes;
  };
  for (const Answer& a : {Answer{"&Yes", true}, Answer{"&No", false}, Answer{"", false}}) {
    DialogScript script;
    script.steps.push_back([&](QDialog& d) {
      auto& box = dynamic_cast<QMessageBox&>(d);
      EXPECT_EQ(box.icon(), QMessageBox::Question);
      EXPECT_EQ(ButtonTexts(box), (std::vector<std::string>{"&Yes", "&No"}));
      ASSERT_NE(box.defaultButton(), nullptr);
      EXPECT_EQ(box.defaultButton()->text().toStdString(), "&Yes");
      QAbstractButton* press = box.escapeButton();
      for (QAbstractButton* b : box.buttons())
        if (b->text() == QString::fromLatin1(a.press)) press = b;
      ASSERT_NE(press, nullptr);
      press->click();
    });
    QtUserInterface ui(script.Runner());
    EXPECT_EQ(ui.AskYesNo("Save the file?"), a.yes) << a.press;
    EXPECT_EQ(script.titles, std::vector<std::string>{"Confirm"});
  }
}

TEST(QtMessageBoxes, ConfirmClosedWithoutAnAnswerIsNo) {
  DialogScript script;
  script.steps.push_back([](QDialog& d) { d.reject(); });
  QtUserInterface ui(script.Runner());
  EXPECT_FALSE(ui.AskYesNo("Save the file?"));
}

}  // namespace
}  // namespace tolm::testing
