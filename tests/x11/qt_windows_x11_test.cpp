// tolm32 with a display shows its messages and dialogs as Qt windows, found
// here by their exact titles and answered with keystrokes; a close request
// ends it while one is open; and runs that show nothing never load Qt.
#include <gtest/gtest.h>

#include <X11/Xlib.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "services/seams/keyboard.h"
#include "services/seams/window_search.h"
#include "support/run_tolm.h"
#include "x11_test_support.h"

namespace tolm::testing {
namespace {

// Every window of tolm32's toolkit has this class.
constexpr char kQtClass[] = "tolm32";

// Waits until a window of tolm32 with exactly this title is viewable.
WindowHandle WaitForWindow(const std::string& title) {
  XProbe probe;
  WindowHandle found = kNoWindow;
  WaitUntil([&] {
    if (FindWindows(title, kQtClass) <= 0) return false;
    found = FoundWindows()[0];
    return probe.MapState(static_cast<Window>(found)) == IsViewable;
  }, 10s);
  return found;
}

// Gives the window the focus and types the keys into it.
void TypeInto(WindowHandle window, const std::string& keys) {
  XProbe probe;
  WindowActivate(window);
  ASSERT_TRUE(WaitUntil([&] { return probe.Focus() == static_cast<Window>(window); }));
  SendKeys(keys);
}

std::string Maps(int pid) {
  std::ifstream in("/proc/" + std::to_string(pid) + "/maps");
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

bool MapsQt(int pid) {
  const std::string maps = Maps(pid);
  return maps.find("libQt6") != std::string::npos || maps.find("tolm32-qt.so") != std::string::npos;
}

TEST(QtWindows, PauseShowsAnInformationBoxClosedWithEnter) {
  RunningProgram tolm(TOLM_BINARY, {"/pause", "hello"});
  const WindowHandle box = WaitForWindow("Information");
  ASSERT_NE(box, kNoWindow) << "no window titled exactly \"Information\"";
  EXPECT_TRUE(MapsQt(tolm.pid()));
  TypeInto(box, "~");
  RunResult r = tolm.Wait(5000);
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.err.find("hello"), std::string::npos) << "shown in a window, not on the console: " << r.err;
}

TEST(QtWindows, ATracedRunEndsInTheInformationDialog) {
  TempDir dir;
  RunningProgram tolm(TOLM_BINARY, {dir.Write("traced.tm", "/set debug=on\n/if 1 eq 1 {\n  /set X=1\n}\n")}, dir.path());
  const WindowHandle dialog = WaitForWindow("Information");
  ASSERT_NE(dialog, kNoWindow);
  TypeInto(dialog, "~");
  RunResult r = tolm.Wait(5000);
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "") << "the trace went to the dialog, not to standard output";
}

TEST(QtWindows, WlistShowsTheListDialogWithItsSearch) {
  TestWindowProcess window(UniqueTitle("listed"));
  RunningProgram tolm(TOLM_BINARY, {"/wlist"});
  const WindowHandle list = WaitForWindow("List of windows");
  ASSERT_NE(list, kNoWindow) << "the dialog refreshed its list as it opened";
  TypeInto(list, "%f");
  const WindowHandle find = WaitForWindow("Enter find string");
  ASSERT_NE(find, kNoWindow);
  TypeInto(find, window.Title() + "~");
  ASSERT_TRUE(WaitUntil([&] { return FindWindows("Enter find string", kQtClass) <= 0; }));
  TypeInto(list, "%c");
  RunResult r = tolm.Wait(5000);
  EXPECT_EQ(r.status, 0) << r.err;
}

TEST(QtWindows, ACloseRequestEndsTheProgramWhileADialogIsOpen) {
  struct Case {
    std::vector<std::string> args;
    const char* title;
    int signal;
    int status;
  };
  for (const Case& c : {Case{{"/pause", "hello"}, "Information", SIGTERM, 143},
                        Case{{"/wlist"}, "List of windows", SIGINT, 130},
                        Case{{"/plist"}, "List of running processes", SIGHUP, 129}}) {
    RunningProgram tolm(TOLM_BINARY, c.args);
    ASSERT_NE(WaitForWindow(c.title), kNoWindow) << c.title;
    tolm.Signal(c.signal);
    RunResult r = tolm.Wait(1000);  // at once
    EXPECT_EQ(r.status, c.status) << c.title << ": " << r.err;
  }
}

// A run that is waiting in the middle of a script, and what it has mapped by then.
class WaitingRun {
 public:
  explicit WaitingRun(const std::vector<std::string>& options) {
    std::string gate = dir_.File("gate");
    EXPECT_EQ(mkfifo(gate.c_str(), 0600), 0);
    std::string script = dir_.Write("wait.tm", "sh /wait \"-c\" \"touch started; read line < gate\"\n");
    std::vector<std::string> args = options;
    args.push_back(script);
    tolm_ = std::make_unique<RunningProgram>(TOLM_BINARY, args, dir_.path());
    started_ = WaitUntil([&] { return std::filesystem::exists(dir_.File("started")); });
    mapsQt_ = MapsQt(tolm_->pid());
    // Let the script's program end: it reads the end of the gate.
    int fd = open(gate.c_str(), O_WRONLY | O_CLOEXEC);
    if (fd >= 0) close(fd);
    result_ = tolm_->Wait(5000);
  }
  bool Started() const { return started_; }
  bool MappedQt() const { return mapsQt_; }
  const RunResult& Result() const { return result_; }

 private:
  TempDir dir_;
  std::unique_ptr<RunningProgram> tolm_;
  bool started_ = false;
  bool mapsQt_ = false;
  RunResult result_;
};

TEST(QtWindows, RunsThatShowNothingNeverLoadQt) {
  for (const std::vector<std::string>& options : {std::vector<std::string>{}, std::vector<std::string>{"--console"}}) {
    WaitingRun run(options);
    ASSERT_TRUE(run.Started());
    EXPECT_FALSE(run.MappedQt()) << (options.empty() ? "windowed" : "--console") << " run, waiting";
    EXPECT_EQ(run.Result().status, 0) << run.Result().err;
  }
}

TEST(QtWindows, ACheckNeverLoadsQt) {
  TempDir dir;
  std::string fifo = dir.File("check.tm");
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  RunningProgram tolm(TOLM_BINARY, {"--check", fifo}, dir.path());
  ASSERT_TRUE(tolm.WaitUntilOpen(fifo)) << "the check waits for the FIFO's writer";
  EXPECT_FALSE(MapsQt(tolm.pid()));
  {
    std::ofstream writer(fifo);
    writer << "/set A=1\n";
  }
  RunResult r = tolm.Wait(5000);
  EXPECT_EQ(r.status, 0) << r.err;
}

}  // namespace
}  // namespace tolm::testing
