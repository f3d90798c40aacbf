// Command files run by tolm32 that drive tolm32's own command file editor:
// a driver run on the console starts a second tolm32 on the editor, waits
// for each window by its exact caption, types into it, and waits for it to
// go; the test then compares the saved file byte for byte.
#include <gtest/gtest.h>

#include <signal.h>
#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <utility>
#include <vector>

#include "services/seams/window_search.h"
#include "support/run_tolm.h"

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
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator("/proc", error)) {
      const int pid = std::atoi(entry.path().filename().c_str());
      if (pid <= 0 || !Carries(pid)) continue;
      kill(pid, SIGKILL);
      waitpid(pid, nullptr, WNOHANG);  // reaped here only if it is the test's own child
    }
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
// It is written in steps; after each one it reports the step on standard
// error, so a driver that fails or times out shows how far it came.
class Driver {
 public:
  Driver() : programs_(std::string(kMark) + "=" + dir_.path()) {}

  const TempDir& Dir() const { return dir_; }

  void Step(const std::string& name, const std::vector<std::string>& lines) {
    for (const std::string& line : lines) script_ += line + "\n";
    script_ += "/pause done: " + name + "\n";
  }

  // Runs the steps (with a short poll interval for the waits) and checks
  // that the driver ended normally and that the editor it started exited
  // with status 0.
  void Run() {
    const std::string script = "/set waitinternval=20\n" + script_ +
                               "/waitall\n/pause \"editor exit status: \" & errorlevel()\n";
    const RunResult r = RunProgram(TOLM_BINARY, {"--console", dir_.Write("driver.tm", script)}, dir_.path(),
                                   {programs_.Entry()}, kDriverTimeoutSeconds);
    ASSERT_EQ(r.status, 0) << r.err << "tolm32 windows open:" << OpenTolmWindows();
    EXPECT_NE(r.err.find("editor exit status: 0"), std::string::npos) << r.err;
  }

 private:
  TempDir dir_;
  EndMarkedPrograms programs_;
  std::string script_;
};

// Lines that wait for a window with exactly this caption, give it the
// focus and type the keys into it, one /sendkeys line each.
std::vector<std::string> TypeInto(const std::string& caption, const std::vector<std::string>& keys) {
  std::vector<std::string> lines = {"/waitfor " + caption, "/activate " + caption};
  for (const std::string& k : keys) lines.push_back("/sendkeys " + k);
  return lines;
}

// Lines that type the keys into the command dialog and wait until it has gone.
std::vector<std::string> CommandDialog(const std::vector<std::string>& keys) {
  std::vector<std::string> lines = TypeInto(kCommandDialog, keys);
  lines.push_back(std::string("/waitclose ") + kCommandDialog);
  return lines;
}

TEST(EditorEndToEnd, LinesAddedChangedAndDeletedWithKeysAreSavedToTheFile) {
  Driver driver;
  const std::string target = driver.Dir().Write("target.tm", "; first comment\necho /wait old\n  /sleep 0\n");
  const std::string editor = "Tolm Command File Editor - target.tm";

  driver.Step("editor started", {Quoted(TOLM_BINARY) + " " + Quoted("/edit") + " " + Quoted(target)});
  // Insert: a new line at the end, composed in the command dialog.
  driver.Step("Insert", TypeInto(editor, {"{INSERT}"}));
  driver.Step("new line typed", CommandDialog({"/sleep{TAB}1~"}));
  // Enter on the second line: its argument replaced, its /wait kept.
  driver.Step("Enter", TypeInto(editor, {"{HOME}{DOWN}~"}));
  driver.Step("argument changed", CommandDialog({"{TAB}^a", "changed~"}));
  // Delete on the first line; File > Save; a close request, which finds
  // nothing left to save and asks nothing.
  driver.Step("Delete", TypeInto(editor, {"{HOME}{DELETE}"}));
  driver.Step("File Save", {"/sendkeys %f", "/sendkeys s"});
  driver.Step("closed", {"/close " + editor, "/waitclose " + editor});
  driver.Run();

  EXPECT_EQ(driver.Dir().Read("target.tm"), "echo/wait changed\r\n/sleep 0\r\n/sleep 1\r\n");
}

TEST(EditorEndToEnd, AnUntitledEditorClosesWithoutAQuestion) {
  Driver driver;
  driver.Step("editor started", {Quoted(TOLM_BINARY), "/waitfor " + std::string(kUntitledEditor)});
  driver.Step("closed", {std::string("/close ") + kUntitledEditor, std::string("/waitclose ") + kUntitledEditor});
  driver.Run();
}

}  // namespace
}  // namespace tolm::testing
