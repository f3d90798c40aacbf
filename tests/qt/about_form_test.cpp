// The About box: icon, name, version, the address that opens through the
// program launch; and the program icon's SVG file, written from the same
// shapes the windows are painted with.
#include <gtest/gtest.h>

#include <QLabel>
#include <QPushButton>
#include <QTest>
#include <string>
#include <vector>

#include "services/core/errors.h"
#include "support/run_tolm.h"
#include "ui/qt/about_form.h"
#include "ui/qt/program_icon.h"
#include "ui/scripted_user.h"

namespace tolm {
namespace {

using Texts = std::vector<std::string>;

std::string LabelText(const QDialog& form, const char* name) {
  const auto* label = form.findChild<QLabel*>(name);
  return label ? label->text().toStdString() : "(no " + std::string(name) + ")";
}

TEST(AboutForm, ShowsIconNameVersionAndAddress) {
  AboutForm form([](const std::string&) {});
  EXPECT_EQ(form.windowTitle(), "About Tolm32");
  EXPECT_EQ(LabelText(form, "Label1"), "Tolm  (32 bit)");
  EXPECT_EQ(LabelText(form, "Label2"), "Version 5.0");
  EXPECT_EQ(LabelText(form, "Label5"), "Download the latest version from ");
  EXPECT_EQ(LabelText(form, "Label6"), "https://tolm.example.org/download");
  EXPECT_FALSE(LabelText(form, "Label3").empty());
  EXPECT_FALSE(LabelText(form, "Label4").empty());
  const auto* image = form.findChild<QLabel*>("Image1");
  ASSERT_NE(image, nullptr);
  EXPECT_EQ(image->pixmap().size(), QSize(32, 32));
  const auto* link = form.findChild<QLabel*>("Label6");
  EXPECT_EQ(link->cursor().shape(), Qt::UpArrowCursor);
  EXPECT_TRUE(link->font().underline() || link->styleSheet().contains("underline"));
  EXPECT_EQ(form.findChild<QPushButton*>("btnOk")->text(), "&Ok");
}

TEST(AboutForm, ClickingTheAddressRunsItAsAProgramStart) {
  testing::ScriptedUser user;
  Texts runs;
  std::string failure;
  AboutForm form([&](const std::string& text) {
    runs.push_back(text);
    if (!failure.empty()) throw ESystemError(failure);
  });
  form.show();
  QTest::mouseClick(form.findChild<QLabel*>("Label6"), Qt::LeftButton);
  EXPECT_EQ(runs, (Texts{"\"https://tolm.example.org/download\""}));
  // A failure the launch raises is shown with its own message; the box stays.
  failure = "no opener";
  QTest::mouseClick(form.findChild<QLabel*>("Label6"), Qt::LeftButton);
  EXPECT_EQ(user.errors, (Texts{"no opener"}));
  EXPECT_TRUE(form.isVisible());
  QTest::mouseClick(form.findChild<QPushButton*>("btnOk"), Qt::LeftButton);
  EXPECT_EQ(form.result(), QDialog::Accepted);
}

TEST(ProgramIcon, TheSvgFileHoldsTheShapesTheWindowsShow) {
  const std::string file = testing::ReadFileText(TOLM_TEST_DATA "/../ui/qt/icons/tolm32.svg");
  EXPECT_EQ(file, ProgramIconSvg()) << "tools/render-forms.sh writes the file anew";
  const QImage image = ProgramIconPixmap(32).toImage();
  EXPECT_EQ(image.size(), QSize(32, 32));
  EXPECT_EQ(image.pixelColor(0, 0).alpha(), 0);    // a transparent corner
  EXPECT_EQ(image.pixelColor(16, 4).alpha(), 255);  // the tile
}

}  // namespace
}  // namespace tolm
