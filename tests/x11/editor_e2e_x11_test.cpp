// Command files run by tolm32 that drive tolm32's own command file editor:
// a driver run on the console starts a second tolm32 on the editor, waits
// for each window by its exact caption, types into it, and waits for it to
// go; the test then compares the saved file byte for byte.
#include <gtest/gtest.h>

#include <dirent.h>
#include <signal.h>
#include <sys/wait.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "services/windows.h"
#include "support/run_tolm.h"
#include "x11_test_support.h"

namespace tolm::testing {
namespace {

constexpr char kCommandDialog[] = "Enter command line and options";
constexpr char kUntitledEditor[] = "Untitled - Tolm Command File Editor";
// The driver gives up (and the test fails) after this many seconds.
constexpr int kDriverTimeoutSeconds = 15;

std::string Quoted(const std::string& text) { return '"' + text + '"'; }

// Every process this test starts carries kMark=<folder> in its environment.
constexpr char kMark[] = "TOLM_EDITOR_E2E";

// Ends every process that carries the mark of this folder when it goes: an
// editor left open by a failed driver must not outlive its test.
class EndMarkedPrograms {
 public:
  explicit EndMarkedPrograms(std::string entry) : entry_(std::move(entry)) {}
  ~EndMarkedPrograms() {
    DIR* proc = opendir("/proc");
    if (proc == nullptr) return;
    while (const dirent* e = readdir(proc)) {
      const int pid = std::atoi(e->d_name);
      if (pid <= 0 || !Carries(pid)) continue;
      kill(pid, SIGKILL);
      waitpid(pid, nullptr, WNOHANG);  // reaped here only if it is the test's own child
    }
    closedir(proc);
  }
  EndMarkedPrograms(const EndMarkedPrograms&) = delete;
  EndMarkedPrograms& operator=(const EndMarkedPrograms&) = delete;

  const std::string& Entry() const { return entry_; }

 private:
  bool Carries(int pid) const {
    const std::string environment = ReadFileText("/proc/" + std::to_string(pid) + "/environ");
    return environment.find(std::string(1, '\0') + entry_ + '\0') != std::string::npos ||
           environment.rfind(entry_ + '\0', 0) == 0;
  }

  std::string entry_;
};

// The titles of tolm32's windows still open, for the message of a failure.
std::string OpenTolmWindows() {
  std::string titles;
  if (FindWindows("*", "tolm32") > 0) {
    for (const std::string& t : FoundTitles()) titles += "\n  \"" + t + "\"";
  }
  return titles.empty() ? " none" : titles;
}

// A driver command file in its own folder, run by tolm32 on the console.
class Driver {
 public:
  Driver() : programs_(std::string(kMark) + "=" + dir_.path()) {}

  const TempDir& Dir() const { return dir_; }

  // Runs the lines (after a short poll interval for the waits) and checks
  // that the driver ended normally and that the editor it started exited
  // with status 0.
  void Run(const std::vector<std::string>& lines) {
    std::string script = "/set waitinternval=20\n";
    for (const std::string& line : lines) script += line + "\n";
    script += "/waitall\n/pause \"editor exit status: \" & errorlevel()\n";
    const RunResult r = RunProgram(TOLM_BINARY, {"--console", dir_.Write("driver.tm", script)}, dir_.path(),
                                   {programs_.Entry()}, kDriverTimeoutSeconds);
    EXPECT_EQ(r.status, 0) << r.err << "tolm32 windows open:" << OpenTolmWindows();
    EXPECT_NE(r.err.find("editor exit status: 0"), std::string::npos) << r.err;
  }

 private:
  TempDir dir_;
  EndMarkedPrograms programs_;
};

// The lines that wait for a window with exactly this caption and give it the focus.
std::vector<std::string> FocusWindow(const std::string& caption) {
  return {"/waitfor " + caption, "/activate " + caption};
}

void Append(std::vector<std::string>& lines, const std::vector<std::string>& more) {
  lines.insert(lines.end(), more.begin(), more.end());
}

TEST(EditorEndToEnd, LinesAddedChangedAndDeletedWithKeysAreSavedToTheFile) {
  Driver driver;
  const std::string target =
      driver.Dir().Write("target.tm", "; first comment\necho /wait old\n  /sleep 0\n");
  const std::string editor = "Tolm Command File Editor - target.tm";

  std::vector<std::string> lines = {Quoted(TOLM_BINARY) + " " + Quoted("/edit") + " " + Quoted(target)};
  Append(lines, FocusWindow(editor));
  // Insert: a new line at the end, composed in the command dialog.
  lines.push_back("/sendkeys {INSERT}");
  Append(lines, FocusWindow(kCommandDialog));
  lines.push_back("/sendkeys /sleep{TAB}1~");
  lines.push_back(std::string("/waitclose ") + kCommandDialog);
  Append(lines, FocusWindow(editor));
  // Enter on the second line: its argument replaced, its /wait kept.
  lines.push_back("/sendkeys {HOME}{DOWN}~");
  Append(lines, FocusWindow(kCommandDialog));
  lines.push_back("/sendkeys {TAB}^a");
  lines.push_back("/sendkeys changed~");
  lines.push_back(std::string("/waitclose ") + kCommandDialog);
  Append(lines, FocusWindow(editor));
  // Delete on the first line, then File > Save and File > Exit.
  lines.push_back("/sendkeys {HOME}{DELETE}");
  lines.push_back("/sendkeys %f");
  lines.push_back("/sendkeys s");
  lines.push_back("/sendkeys %f");
  lines.push_back("/sendkeys x");
  lines.push_back("/waitclose " + editor);
  driver.Run(lines);

  EXPECT_EQ(driver.Dir().Read("target.tm"), "echo/wait changed\r\n/sleep 0\r\n/sleep 1\r\n");
}

TEST(EditorEndToEnd, AnUntitledEditorClosesWithoutAQuestion) {
  Driver driver;
  std::vector<std::string> lines = {Quoted(TOLM_BINARY)};
  Append(lines, FocusWindow(kUntitledEditor));
  lines.push_back(std::string("/close ") + kUntitledEditor);
  lines.push_back(std::string("/waitclose ") + kUntitledEditor);
  driver.Run(lines);
}

}  // namespace
}  // namespace tolm::testing
