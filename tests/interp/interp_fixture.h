// Runs command text through the interpreter on recording fakes of the
// platform and the user interface.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "fakes/fake_process_platform.h"
#include "front/lexer_runtime.h"
#include "interp/interpreter_state.h"
#include "interp/runner.h"
#include "services/seams/app_title.h"
#include "services/seams/debug_log.h"
#include "services/core/errors.h"
#include "services/seams/exit_status.h"
#include "services/seams/programs.h"
#include "services/seams/desktop.h"
#include "services/seams/show_mode.h"

namespace tolm {

class InterpTest : public ::testing::Test {
 protected:
  InterpTest() {
    ResetInterpreterState();
    LastExitCode = 0;
    LexTrace = false;
    DebugLogEnabled = false;
    DebugLogPath = kDefaultDebugLogPath;
    SetApplicationTitle("tolm32");
    InstallFakeDesktop(nullptr, nullptr);
  }
  ~InterpTest() override {
    // Collects the programs a test left recorded while their fake still lives.
    WaitForAllProcesses();
    UninstallDesktop();
    ResetInterpreterState();
    LexTrace = false;
    DebugLogEnabled = false;
  }

  // Installs the fakes as the desktop, with a show-mode handler that records.
  void InstallFakeDesktop(WindowSystem* windows, KeyboardSystem* keyboard) {
    InstallDesktop(DesktopBackend{windows, keyboard, [this](int pid, int mode) { showModes.emplace_back(pid, mode); }});
  }

  // Runs the text; returns the message of the failure that reached the top, or "".
  std::string Run(const std::string& text) {
    try {
      RunCommandText(text);
      return "";
    } catch (const Exception& e) {
      return e.Message();
    }
  }

  static std::string Wrapped(const std::string& command, const std::string& message) {
    return "ERROR: The following command: \r\n" + command + "\r\nFailed with the following error(s):\r\n" + message;
  }

  process_fakes::FakeProcessPlatform platform;
  process_fakes::FakePump pump;
  process_fakes::RecordingUserInterface ui;
  std::vector<std::pair<int, int>> showModes;
};

}  // namespace tolm
