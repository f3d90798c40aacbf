// The editor's questions in Qt: the file dialogs' filters and options, and
// the "Confirm" box, each driven without a modal loop.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <string>

#include "support/run_tolm.h"
#include "ui/core/command_dialog_model.h"
#include "ui/core/editor_model.h"
#include "ui/qt/user_questions_qt.h"

namespace tolm {
namespace {

TEST(EditorQuestions, FiltersBecomeQtNameFilters) {
  struct Case {
    std::string filter;
    QStringList expected;
  };
  const Case cases[] = {
      {"Tolm Files (*.tm)|*.TM", {"Tolm Files (*.tm)"}},
      {"Executables (*.exe;*.com;*.bat)|*.exe;*.com;*.bat|All Files (*.*)|*.*",
       {"Executables (*.exe *.com *.bat)", "All Files (*)"}},
      {"Text|*.txt", {"Text (*.txt)"}},
      {"Shown (*.a)|*.b", {"Shown (*.b)"}},
      {"", {}},
  };
  for (const auto& c : cases) EXPECT_EQ(QtNameFilters(c.filter), c.expected) << c.filter;
}

TEST(EditorQuestions, FileDialogsFollowTheRequests) {
  struct Case {
    FileDialogRequest request;
    QFileDialog::AcceptMode mode;
    QFileDialog::FileMode fileMode;
    bool confirmOverwrite;
    bool readOnly;
  };
  const Case cases[] = {
      {OpenCommandFileRequest(), QFileDialog::AcceptOpen, QFileDialog::ExistingFile, false, false},
      {SaveCommandFileRequest(), QFileDialog::AcceptSave, QFileDialog::AnyFile, true, false},
      {BrowseProgramRequest(), QFileDialog::AcceptOpen, QFileDialog::ExistingFile, false, true},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.request.filter);
    QFileDialog dialog;
    ConfigureFileDialog(dialog, c.request, c.mode);
    EXPECT_TRUE(dialog.testOption(QFileDialog::DontUseNativeDialog));
    EXPECT_EQ(dialog.acceptMode(), c.mode);
    EXPECT_EQ(dialog.fileMode(), c.fileMode);
    EXPECT_EQ(dialog.nameFilters(), QtNameFilters(c.request.filter));
    EXPECT_EQ(dialog.testOption(QFileDialog::DontConfirmOverwrite), !c.confirmOverwrite);
    EXPECT_EQ(dialog.testOption(QFileDialog::ReadOnly), c.readOnly);
  }
}

TEST(EditorQuestions, SaveDialogAddsTheDefaultExtension) {
  testing::TempDir dir;
  QFileDialog dialog(nullptr, QString(), QString::fromStdString(dir.path()));
  ConfigureFileDialog(dialog, SaveCommandFileRequest(), QFileDialog::AcceptSave);
  EXPECT_EQ(dialog.defaultSuffix(), "TM");
  dialog.open();
  auto* name = dialog.findChild<QLineEdit*>("fileNameEdit");
  ASSERT_NE(name, nullptr);
  name->setText("script");
  QTest::keyClick(name, Qt::Key_Return);
  EXPECT_EQ(dialog.result(), QDialog::Accepted);
  EXPECT_EQ(dialog.selectedFiles(), QStringList{QString::fromStdString(dir.File("script.TM"))});
}

TEST(EditorQuestions, ConfirmBoxAnswersYesOrNo) {
  struct Case {
    const char* press;  // a button's text, or "Escape"
    int answer;
  };
  const Case cases[] = {{"&Yes", QMessageBox::Yes}, {"&No", QMessageBox::No}, {"Escape", QMessageBox::No}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.press);
    auto box = MakeConfirmBox(nullptr, "Do you want to save your changes?");
    EXPECT_EQ(box->windowTitle(), "Confirm");
    EXPECT_EQ(box->text(), "Do you want to save your changes?");
    EXPECT_EQ(box->button(QMessageBox::Yes)->text(), "&Yes");
    EXPECT_EQ(box->button(QMessageBox::No)->text(), "&No");
    box->open();
    if (std::string(c.press) == "Escape")
      QTest::keyClick(box.get(), Qt::Key_Escape);
    else
      QTest::mouseClick(box->button(c.answer == QMessageBox::Yes ? QMessageBox::Yes : QMessageBox::No),
                        Qt::LeftButton);
    EXPECT_EQ(box->result(), c.answer);
  }
}

}  // namespace
}  // namespace tolm
