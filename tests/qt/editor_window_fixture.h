// The editor window with a scripted user and command dialog, a recorded run
// function and beep, and a temporary folder for its files. Controls are
// found by their object names, as a user's script or a tester would.
#pragma once

#include <gtest/gtest.h>

#include <QAction>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QStringList>
#include <string>
#include <vector>

#include "support/run_tolm.h"
#include "ui/qt/editor_window.h"
#include "ui/scripted_user.h"

namespace tolm::testing {

class EditorWindowTest : public ::testing::Test {
 protected:
  EditorFormActions Actions() {
    EditorFormActions a;
    a.runCommandText = [this](const std::string& text) {
      runs.push_back(text);
      titlesDuringRun.push_back(window.windowTitle().toStdString());
      enabledDuringRun.push_back(window.centralWidget()->isEnabled());
    };
    a.beep = [this] { ++beeps; };
    return a;
  }

  template <typename T>
  T* Find(const char* name) {
    T* w = window.findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(w, nullptr) << name;
    return w;
  }
  QListWidget* List() { return Find<QListWidget>("List1"); }
  QAction* Action(const char* name) { return Find<QAction>(name); }
  std::string Panel(const char* name) { return Find<QLabel>(name)->text().toStdString(); }

  // The editor on the given lines, saved in t.tm.
  std::string LoadLines(const std::vector<std::string>& lines, const std::string& name = "t.tm") {
    std::string contents;
    for (const std::string& l : lines) contents += l + "\r\n";
    const std::string path = dir.Write(name, contents);
    window.Start(path);
    return path;
  }
  std::vector<std::string> Items() {
    std::vector<std::string> items;
    for (int i = 0; i < List()->count(); ++i) items.push_back(List()->item(i)->text().toStdString());
    return items;
  }
  std::vector<int> SelectedRows() {
    std::vector<int> rows;
    for (int i = 0; i < List()->count(); ++i)
      if (List()->item(i)->isSelected()) rows.push_back(i);
    return rows;
  }
  void SelectRows(const std::vector<int>& rows) {
    List()->clearSelection();
    for (int r : rows) List()->item(r)->setSelected(true);
  }

  TempDir dir;
  ScriptedUser user;
  ScriptedCommandDialog dialog;
  std::vector<std::string> runs;
  std::vector<std::string> titlesDuringRun;
  std::vector<bool> enabledDuringRun;
  int beeps = 0;
  EditorWindow window{user, dialog, Actions()};
};

}  // namespace tolm::testing
