// The "Replace All" form: captions, the two texts after OK, nothing kept
// after Cancel or Escape.
#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include "ui/qt/replace_form.h"

namespace tolm {
namespace {

TEST(ReplaceForm, ControlsCarryTheirNamesAndCaptions) {
  ReplaceForm form;
  EXPECT_EQ(form.windowTitle(), "Replace All");
  const auto* label1 = form.findChild<QLabel*>("Label1");
  const auto* label2 = form.findChild<QLabel*>("Label2");
  ASSERT_TRUE(label1 && label2);
  EXPECT_EQ(label1->text(), "String to replace:");
  EXPECT_EQ(label2->text(), "Replace with string");
  EXPECT_EQ(label1->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight);
  EXPECT_EQ(label2->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight);
  EXPECT_EQ(form.findChild<QPushButton*>("btnOk")->text(), "&OK");
  EXPECT_TRUE(form.findChild<QPushButton*>("btnOk")->isDefault());
  EXPECT_EQ(form.findChild<QPushButton*>("btnCancel")->text(), "&Cancel");
}

TEST(ReplaceForm, OkGivesBothTextsAndEnterPressesOk) {
  ReplaceForm form;
  form.show();
  QTest::keyClicks(form.findChild<QLineEdit*>("String1"), ".txt");
  QTest::keyClicks(form.findChild<QLineEdit*>("String2"), ".md");
  QTest::keyClick(form.findChild<QLineEdit*>("String2"), Qt::Key_Return);
  EXPECT_EQ(form.result(), QDialog::Accepted);
  EXPECT_FALSE(form.isVisible());
  EXPECT_EQ(form.Strings().String1, ".txt");
  EXPECT_EQ(form.Strings().String2, ".md");
}

TEST(ReplaceForm, CancelAndEscapeReject) {
  for (bool escape : {false, true}) {
    ReplaceForm form;
    form.show();
    QTest::keyClicks(form.findChild<QLineEdit*>("String1"), "x");
    if (escape)
      QTest::keyClick(&form, Qt::Key_Escape);
    else
      QTest::mouseClick(form.findChild<QPushButton*>("btnCancel"), Qt::LeftButton);
    EXPECT_EQ(form.result(), QDialog::Rejected) << escape;
    EXPECT_FALSE(form.isVisible()) << escape;
  }
}

}  // namespace
}  // namespace tolm
