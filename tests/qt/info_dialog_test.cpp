// The "Information" dialog: its controls, its text, a fixed-width font, and a
// text box that grows with the form.
#include <QFontInfo>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>

#include <gtest/gtest.h>

#include "dialog_script.h"
#include "ui/qt/info_dialog.h"
#include "ui/qt/qt_user_interface.h"

namespace tolm::testing {
namespace {

TEST(QtInfoDialog, ShowsTheTextInAFixedWidthFontWithOk) {
  DialogScript script;
  script.steps.push_back([](QDialog& d) {
    auto* msg = d.findChild<QPlainTextEdit*>(QStringLiteral("Msg"));
    auto* ok = d.findChild<QPushButton*>(QStringLiteral("OKBtn"));
    ASSERT_NE(msg, nullptr);
    ASSERT_NE(ok, nullptr);
    EXPECT_EQ(msg->toPlainText().toStdString(), "Parse Output: \n\nParse Errors: \nline 1: syntax error");
    EXPECT_TRUE(QFontInfo(msg->font()).fixedPitch());
    EXPECT_EQ(msg->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    EXPECT_EQ(ok->text().toStdString(), "OK");
    EXPECT_TRUE(ok->isDefault());
    ok->click();
    EXPECT_EQ(d.result(), QDialog::Accepted);
  });
  QtUserInterface ui(script.Runner());
  ui.ShowInfoDialog("Parse Output: \r\n\r\nParse Errors: \r\nline 1: syntax error", false);
  EXPECT_EQ(script.titles, std::vector<std::string>{"Information"});
}

TEST(QtInfoDialog, TheTextBoxGrowsWithTheFormAndScrollsLongTexts) {
  InfoDialog dialog;
  std::string text;
  for (int i = 0; i < 500; ++i) text += "trace line " + std::to_string(i) + "\r\n";
  dialog.SetText(text);
  dialog.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
  const QSize before = dialog.Msg->size();
  const QPoint okBefore = dialog.OKBtn->pos();
  EXPECT_GT(dialog.Msg->verticalScrollBar()->maximum(), 0) << "500 lines do not fit: the box scrolls";

  dialog.resize(dialog.size() + QSize(100, 80));
  QTRY_COMPARE(dialog.Msg->size(), before + QSize(100, 80));
  EXPECT_EQ(dialog.OKBtn->pos().y(), okBefore.y() + 80) << "OK stays at the bottom edge";

  // The close box does what OK does: the caller goes on.
  dialog.close();
  EXPECT_FALSE(dialog.isVisible());
}

}  // namespace
}  // namespace tolm::testing
