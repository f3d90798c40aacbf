// The helper program's window (helper/winhelper.cpp, mode "window") for the
// tests of the window and keyboard backends.
#pragma once

#include <memory>
#include <string>

#include "services/platform/windows/win_handle.h"
#include "services/platform/windows/win_launcher.h"
#include "services/platform/windows/win_platform.h"
#include "services/seams/exit_status.h"
#include "services/seams/window_search.h"
#include "win_test_support.h"

namespace tolm::wintest {

// A helper program showing a window titled title; ended when it goes.
class HelperWindow {
 public:
  explicit HelperWindow(const std::string& title, const std::string& keyLog = "") : title_(title) {
    InstallWindowsPlatform();
    std::string parameters = "window \"" + title + "\"";
    if (!keyLog.empty()) parameters += " \"" + keyLog + "\"";
    child_ = launcher_.Start(HelperPath(), parameters, "").child;
  }
  ~HelperWindow() {
    if (!child_) return;
    UniqueHandle process(OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, child_->Id()));
    if (!process.Valid()) return;
    TerminateProcess(process.Get(), 0);
    WaitForSingleObject(process.Get(), 10000);
  }
  HelperWindow(const HelperWindow&) = delete;
  HelperWindow& operator=(const HelperWindow&) = delete;

  bool Started() const { return child_ != nullptr; }
  // The button is made last.
  bool WaitShown() const {
    return WaitUntil([this] { return FindWindowByTitle(title_ + " Button") != kNoWindow; });
  }
  // Waits for the program's end and returns its exit code.
  uint32_t ExitCode() {
    const ExitStatus status = child_->WaitForExit();
    child_.reset();
    return status.ok ? status.status : 9999;
  }

 private:
  std::string title_;
  WinLauncher launcher_;
  std::unique_ptr<ChildProcess> child_;
};


}  // namespace tolm::wintest
