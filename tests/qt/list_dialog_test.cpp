// The list dialog of "/plist" and "/wlist" over a fixed desktop: its
// controls, captions, the search through the input box, and failures.
#include <QInputDialog>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

#include "dialog_script.h"
#include "fakes/fake_process_platform.h"
#include "services/core/errors.h"
#include "services/seams/desktop.h"
#include "services/seams/window_search.h"
#include "ui/qt/list_dialog.h"
#include "ui/qt/qt_user_interface.h"

namespace tolm::testing {
namespace {

class FakeDesktop : public WindowSystem {
 public:
  FakeDesktop() { InstallDesktop(DesktopBackend{this, nullptr, {}}); }
  ~FakeDesktop() override { UninstallDesktop(); }
  std::vector<WindowInfo> windows;
  bool broken = false;
  std::vector<WindowInfo> ListWindows(bool) override {
    if (broken) throw Exception("the window list cannot be read");
    return windows;
  }
  void Activate(WindowHandle) override {}
  void Close(WindowHandle) override {}
  void Quit(WindowHandle) override {}
};

std::vector<std::string> Entries(QDialog& d) {
  std::vector<std::string> entries;
  auto* list = d.findChild<QListWidget*>(QStringLiteral("PList"));
  if (!list) return {"no PList"};
  for (int i = 0; i < list->count(); ++i) entries.push_back(list->item(i)->text().toStdString());
  return entries;
}

void Click(QDialog& d, const char* name) {
  auto* button = d.findChild<QPushButton*>(QString::fromLatin1(name));
  ASSERT_NE(button, nullptr) << name;
  button->click();
}

// The find box's step: checks the box, then enters text (nothing: cancels).
DialogScript::Step Search(std::optional<std::string> text) {
  return [text](QDialog& d) {
    auto& box = dynamic_cast<QInputDialog&>(d);
    EXPECT_EQ(box.windowTitle().toStdString(), "Enter find string");
    EXPECT_EQ(box.labelText().toStdString(), "Please Enter string to find");
    EXPECT_EQ(box.textValue().toStdString(), "");
    if (!text) {
      box.reject();
      return;
    }
    box.setTextValue(QString::fromStdString(*text));
    box.accept();
  };
}

class QtListDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    platform_.processes = {{1, "/usr/bin/notepad.exe"}, {2, ""}, {3, "/bin/bash"}, {4, "/opt/Note.exe"}};
    desktop_.windows = {{10, "Notepad", "Dialog"}, {30, "my notes", "X"}, {40, "Terminal", "X"}};
  }
  process_fakes::FakeProcessPlatform platform_;
  FakeDesktop desktop_;
  DialogScript script_;
};

TEST_F(QtListDialogTest, ButtonsHaveTheirNamesAndTexts) {
  script_.steps.push_back([](QDialog& d) {
    for (auto [name, text] : {std::pair{"Button1", "&Close"}, std::pair{"Button2", "&Refresh"},
                              std::pair{"Button3", "&Find..."}}) {
      auto* button = d.findChild<QPushButton*>(QString::fromLatin1(name));
      ASSERT_NE(button, nullptr) << name;
      EXPECT_EQ(button->text().toStdString(), text);
    }
    EXPECT_EQ(d.windowTitle().toStdString(), "Running processes") << "until the first refresh";
    Click(d, "Button1");
    EXPECT_EQ(d.result(), QDialog::Accepted);
  });
  QtUserInterface ui(script_.Runner());
  ui.ShowListDialog(false);
}

TEST_F(QtListDialogTest, ProcessesAreListedWhenShownAndNarrowedByASearch) {
  script_.steps.push_back([this](QDialog& d) {
    d.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&d));
    EXPECT_EQ(d.windowTitle().toStdString(), "List of running processes");
    EXPECT_EQ(Entries(d), (std::vector<std::string>{"NOTEPAD.EXE", "BASH", "NOTE.EXE"}));

    script_.steps.push_back(Search("note"));
    Click(d, "Button3");
    EXPECT_EQ(Entries(d), (std::vector<std::string>{"NOTEPAD.EXE", "NOTE.EXE"}));
    // Coming back to the form (from the find box) keeps the search.
    d.activateWindow();
    QTest::qWait(0);
    EXPECT_EQ(Entries(d), (std::vector<std::string>{"NOTEPAD.EXE", "NOTE.EXE"}));

    Click(d, "Button2");
    EXPECT_EQ(Entries(d), (std::vector<std::string>{"NOTEPAD.EXE", "BASH", "NOTE.EXE"}));
    Click(d, "Button1");
  });
  QtUserInterface ui(script_.Runner());
  ui.ShowListDialog(false);
  EXPECT_EQ(script_.titles, (std::vector<std::string>{"Running processes", "Enter find string"}));
}

TEST_F(QtListDialogTest, WindowTitlesAreSearchedWithTheirCase) {
  script_.steps.push_back([this](QDialog& d) {
    d.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&d));
    EXPECT_EQ(d.windowTitle().toStdString(), "List of windows");
    EXPECT_EQ(Entries(d), (std::vector<std::string>{"Notepad", "my notes", "Terminal"}));
    script_.steps.push_back(Search("note"));
    Click(d, "Button3");
    EXPECT_EQ(Entries(d), (std::vector<std::string>{"my notes"}));
    script_.steps.push_back(Search(std::nullopt));  // cancelled: everything
    Click(d, "Button3");
    EXPECT_EQ(Entries(d), (std::vector<std::string>{"Notepad", "my notes", "Terminal"}));
  });
  QtUserInterface ui(script_.Runner());
  ui.ShowListDialog(true);
}

TEST_F(QtListDialogTest, AFailureToListIsShownInAnErrorBox) {
  desktop_.broken = true;
  script_.steps.push_back([this](QDialog& d) {
    script_.steps.push_back([](QDialog& box) {
      EXPECT_EQ(dynamic_cast<QMessageBox&>(box).text().toStdString(), "the window list cannot be read");
    });
    d.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&d));
    EXPECT_EQ(Entries(d), std::vector<std::string>{});
  });
  QtUserInterface ui(script_.Runner());
  ui.ShowListDialog(true);
  EXPECT_EQ(script_.titles, (std::vector<std::string>{"Running processes", "Error"}));
}

}  // namespace
}  // namespace tolm::testing
