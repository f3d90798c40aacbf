// An editor with a scripted user, a scripted command dialog and a recorded
// run function, and a temporary folder for its files.
#pragma once

#include <gtest/gtest.h>

#include <new>
#include <string>
#include <vector>

#include "services/core/errors.h"
#include "support/run_tolm.h"
#include "ui/core/editor_model.h"
#include "ui/scripted_user.h"

namespace tolm::testing {

class EditorTest : public ::testing::Test {
 protected:
  EditorActions Actions() {
    EditorActions a;
    a.runCommandText = [this](const std::string& text) {
      runs.push_back(text);
      captionsDuringRun.push_back(editor.Caption());
      if (runOutOfMemory) throw std::bad_alloc();
      if (!runFailure.empty()) throw EScriptError(runFailure);
    };
    a.beep = [this] { ++beeps; };
    a.showBusy = [this](bool on) { busy.push_back(on); };
    return a;
  }

  // The editor on a file holding contents.
  std::string Load(const std::string& contents, const std::string& name = "t.tm") {
    const std::string path = dir.Write(name, contents);
    editor.Start(path);
    return path;
  }
  // The editor on the given lines, saved.
  std::string LoadLines(const std::vector<std::string>& lines) {
    std::string contents;
    for (const std::string& l : lines) contents += l + "\r\n";
    return Load(contents);
  }
  void Select(const std::vector<size_t>& indexes) {
    editor.ClearSelection();
    for (size_t i : indexes) editor.SetSelected(i, true);
  }
  std::vector<size_t> Selection() const {
    std::vector<size_t> s;
    for (size_t i = 0; i < editor.Lines().size(); ++i)
      if (editor.IsSelected(i)) s.push_back(i);
    return s;
  }

  TempDir dir;
  ScriptedUser user;
  ScriptedCommandDialog dialog;
  std::vector<std::string> runs;
  std::vector<std::string> captionsDuringRun;
  std::string runFailure;
  bool runOutOfMemory = false;  // the run fails with a standard exception
  int beeps = 0;
  std::vector<bool> busy;
  EditorModel editor{user, dialog, Actions()};
};

}  // namespace tolm::testing
