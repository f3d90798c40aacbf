// The command dialog form: its controls, the captions that follow the command
// word, the drop-down list, "Browse..." and OK, with the record mapping
// around it. The form is shown without a modal loop and driven by clicks and
// keys.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <functional>
#include <string>
#include <vector>

#include "ui/qt/command_dialog_form.h"
#include "ui/scripted_user.h"

namespace tolm {
namespace {

using Texts = std::vector<std::string>;

class CommandDialogFormTest : public ::testing::Test {
 protected:
  // The form for one line of a command file, shown.
  void ShowLine(const std::string& line) {
    Tcmdrec record;
    CmdRecFromLine(record, line);
    ShowRecordInDialog(record, model);
    form = std::make_unique<CommandDialogForm>(model, user);
    form->show();
  }
  template <typename T>
  T* Find(const char* name) {
    T* w = form->findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(w, nullptr) << name;
    return w;
  }
  std::string Text(const char* label) { return Find<QLabel>(label)->text().toStdString(); }
  QComboBox* Prog() { return Find<QComboBox>("Prog"); }
  void TypeProg(const char* text) {
    Prog()->lineEdit()->clear();
    QTest::keyClicks(Prog()->lineEdit(), QString::fromLatin1(text));
  }
  bool Enabled(const char* name) { return Find<QWidget>(name)->isEnabled(); }
  bool Shown(const char* name) { return !Find<QWidget>(name)->isHidden(); }

  testing::ScriptedUser user;
  CommandDialogModel model;
  std::unique_ptr<CommandDialogForm> form;
};

TEST_F(CommandDialogFormTest, ControlsCarryTheirNamesAndCaptions) {
  ShowLine("");
  EXPECT_EQ(form->windowTitle(), "Enter command line and options");
  struct Caption {
    const char* name;
    const char* text;
  };
  const Caption buttons[] = {{"NormalOpt", "Normal"},    {"MinOpt", "Minimized"},  {"MaxOpt", "Maximized"},
                             {"HideOpt", "Hidden"},      {"MinNoActOpt", "NoActivate"},
                             {"WarnOpt", "Give Warning"}, {"IgnoreOpt", "Ignore Error"},
                             {"WaitOpt", "Wait for program to finish before continuing"},
                             {"btnBrowse", "Browse..."}, {"btnOk", "&OK"},         {"btnCancel", "&Cancel"}};
  for (const auto& b : buttons) EXPECT_EQ(Find<QAbstractButton>(b.name)->text(), b.text) << b.name;
  EXPECT_EQ(Find<QGroupBox>("GroupBox1")->title(), "Initial Window Mode");
  EXPECT_EQ(Find<QGroupBox>("GroupBox2")->title(), "error handling");
  EXPECT_EQ(Text("Label1"), "Command:");
  EXPECT_EQ(Text("Label3"), "Command");
  EXPECT_EQ(Text("Label2"), "Arguments");
  EXPECT_TRUE(Prog()->isEditable());
  EXPECT_TRUE(Find<QPushButton>("btnOk")->isDefault());
  EXPECT_TRUE(Find<QRadioButton>("NormalOpt")->isChecked());
}

TEST_F(CommandDialogFormTest, ARecordShowsItsWordArgumentsAndOptions) {
  ShowLine("notepad.exe /wait /hide /min readme.txt");
  EXPECT_EQ(Prog()->currentText(), "notepad.exe");
  EXPECT_EQ(Find<QLineEdit>("Args")->text(), "\"readme.txt\"");
  EXPECT_TRUE(Find<QCheckBox>("WaitOpt")->isChecked());
  EXPECT_FALSE(Find<QCheckBox>("WarnOpt")->isChecked());
  EXPECT_TRUE(Find<QRadioButton>("MinOpt")->isChecked());
  EXPECT_FALSE(Find<QRadioButton>("HideOpt")->isChecked());
}

TEST_F(CommandDialogFormTest, TypingTheCommandWordAdjustsCaptionsAndOptions) {
  struct Case {
    const char* prog;
    const char* label3;
    const char* label2;
    bool captionsShown;
    bool optionsEnabled;
  };
  const Case cases[] = {
      {"/if", "Condition", "expression", true, false}, {"/do", "", "", false, false},
      {"/hide", "Command", "Arguments", true, false},  {";", "Comment", "Text", true, false},
      {"@", "Command", "filename", true, false},       {"@x.tm", "Command", "Arguments", true, true},
      {"xterm", "Command", "Arguments", true, true},
  };
  ShowLine("");
  for (const auto& c : cases) {
    SCOPED_TRACE(c.prog);
    TypeProg(c.prog);
    EXPECT_EQ(Text("Label3"), c.label3);
    EXPECT_EQ(Text("Label2"), c.label2);
    for (const char* name : {"Label3", "Label2", "Args"}) EXPECT_EQ(Shown(name), c.captionsShown) << name;
    for (const char* name : {"NormalOpt", "WaitOpt", "HideOpt", "MaxOpt", "MinOpt", "MinNoActOpt"})
      EXPECT_EQ(Enabled(name), c.optionsEnabled) << name;
    EXPECT_TRUE(Enabled("WarnOpt"));
    EXPECT_TRUE(Enabled("IgnoreOpt"));
  }
}

TEST_F(CommandDialogFormTest, OpeningTheListRefillsItAndErasesTheTypedWord) {
  ShowLine("xterm");
  Prog()->showPopup();
  EXPECT_EQ(Prog()->currentText(), "");
  Texts items;
  for (int i = 0; i < Prog()->count(); ++i) items.push_back(Prog()->itemText(i).toStdString());
  EXPECT_EQ(items, (Texts{"", ";", "#", "@", "/activate", "/cd", "/close", "/do", "/edit", "/else", "/if", "/kill",
                          "/killwindow", "/pause", "/plist", "/sendkeys", "/set", "/sleep", "/waitall", "/waitclose",
                          "/waitfor", "/while", "/wlist"}));
  Prog()->hidePopup();
  Prog()->setCurrentIndex(10);
  EXPECT_EQ(Text("Label3"), "Condition");
}

TEST_F(CommandDialogFormTest, BrowseTakesTheChosenProgram) {
  ShowLine("/cd x");
  user.openNames.push_back("/usr/bin/xterm");
  user.openNames.push_back(std::nullopt);
  QTest::mouseClick(Find<QPushButton>("btnBrowse"), Qt::LeftButton);
  EXPECT_EQ(user.openRequests, (std::vector<FileDialogRequest>{BrowseProgramRequest()}));
  EXPECT_EQ(Prog()->currentText(), "\"/usr/bin/xterm\"");
  EXPECT_TRUE(Enabled("WaitOpt"));
  QTest::mouseClick(Find<QPushButton>("btnBrowse"), Qt::LeftButton);
  EXPECT_EQ(Prog()->currentText(), "\"/usr/bin/xterm\"");
}

TEST_F(CommandDialogFormTest, OkClosesOnlyForALineThatParses) {
  ShowLine("/sleep 1");
  TypeProg("/if");
  QTest::mouseClick(Find<QPushButton>("btnOk"), Qt::LeftButton);
  EXPECT_TRUE(form->isVisible());
  EXPECT_EQ(user.infoDialogs.size(), 1u);  // the parser's report
  TypeProg("/sleep");
  Find<QLineEdit>("Args")->setText("1");
  QTest::mouseClick(Find<QPushButton>("btnOk"), Qt::LeftButton);
  EXPECT_FALSE(form->isVisible());
  EXPECT_EQ(form->result(), QDialog::Accepted);
}

TEST_F(CommandDialogFormTest, CancelAndEscapeReject) {
  for (const auto& close : std::vector<std::function<void(CommandDialogForm&)>>{
           [](CommandDialogForm& f) { QTest::mouseClick(f.findChild<QPushButton*>("btnCancel"), Qt::LeftButton); },
           [](CommandDialogForm& f) { QTest::keyClick(&f, Qt::Key_Escape); }}) {
    ShowLine("xterm");
    close(*form);
    EXPECT_FALSE(form->isVisible());
    EXPECT_EQ(form->result(), QDialog::Rejected);
  }
}

// The command dialog host of the editor with the form shown and driven
// without a modal loop: each showing runs the next step on the form.
class FormDrivingHost : public CommandDialogHost {
 public:
  FormDrivingHost(UserQuestions& questions, std::function<void(CommandDialogForm&)> step)
      : questions_(questions), step_(std::move(step)) {}
  bool ShowModal(CommandDialogModel& dialog) override {
    CommandDialogForm form(dialog, questions_);
    form.show();
    step_(form);
    return form.result() == QDialog::Accepted;
  }

 private:
  UserQuestions& questions_;
  std::function<void(CommandDialogForm&)> step_;
};

TEST_F(CommandDialogFormTest, AnEditedLineComesBackFromTheControls) {
  struct Case {
    std::string line;
    std::function<void(CommandDialogForm&)> step;
    std::string result;
  };
  // Clicks the buttons named, in order.
  const auto click = [](std::vector<const char*> names) {
    return [names](CommandDialogForm& f) {
      for (const char* name : names) QTest::mouseClick(f.findChild<QAbstractButton*>(name), Qt::LeftButton);
    };
  };
  const Case cases[] = {
      {"notepad.exe /wait readme.txt", click({"btnOk"}), "notepad.exe/wait \"readme.txt\""},
      {"notepad.exe /wait readme.txt", click({"HideOpt", "btnOk"}), "notepad.exe/hide/wait \"readme.txt\""},
      {"notepad.exe /wait readme.txt", click({"WaitOpt", "btnOk"}), "notepad.exe \"readme.txt\""},
      {"xterm", click({"IgnoreOpt", "btnOk"}), "xterm/ignore "},
      {"; note", click({"btnOk"}), "; note "},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.line);
    Tcmdrec record;
    CmdRecFromLine(record, c.line);
    FormDrivingHost host(user, c.step);
    ASSERT_TRUE(EditCmdRec(record, host));
    EXPECT_EQ(record.args, (Texts{c.result}));
  }
  Tcmdrec record;
  CmdRecFromLine(record, "xterm");
  FormDrivingHost cancel(user, click({"btnCancel"}));
  EXPECT_FALSE(EditCmdRec(record, cancel));
  EXPECT_EQ(record.args, (Texts{"xterm"}));
}

}  // namespace
}  // namespace tolm
