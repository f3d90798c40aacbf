// Which runs the console program hands to the desktop program: any that may
// need windows, keys, show modes or the editor, judged from the text before
// it runs. A false "may need" costs an exec; a false "does not" would fail
// the run, so every doubtful case must come out "may need".
#include "interp/desktop_need.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <string>
#include <thread>

#include "support/run_tolm.h"

namespace tolm {
namespace {

TEST(DesktopNeed, CommandsAndOptionsOfTheDesktopAreFoundAsWords) {
  struct Case {
    const char* text;
    bool mayNeed;
  };
  const Case cases[] = {
      {"", false},
      {"/set X=1", false},
      {"/pause hello", false},
      {"/plist", false},
      {"/kill prog", false},
      {"\"/bin/true\" /wait", false},
      {"/activate \"x*\"", true},
      {"/ACTIVATE x", true},
      {"/Close x", true},
      {"/killwindow x", true},
      {"/waitfor x", true},
      {"/waitclose x", true},
      {"/wlist", true},
      {"/sendkeys \"abc\"", true},
      {"/edit x.tm", true},
      {"\"/usr/bin/prog\" /min", true},
      {"\"prog\" /max", true},
      {"\"prog\" /h", true},
      {"\"prog\" /hide", true},
      {"\"prog\" /noactivate", true},
      {"{\n/close x\n}", true},
      {"/set X=1\n/if \"%X%\" == \"1\" {\n  /sendkeys \"a\"\n}", true},
      // Words that only begin like one, and paths that contain one.
      {"/hidden", false},
      {"/editor", false},
      {"/maximum", false},
      {"\"/home/me/prog\"", false},
      {"\"/usr/local/max\" /wait", false},
      {"\"/opt/min/prog\"", false},
      // Doubtful cases may need it: a path that starts with one, and any
      // "@" (a nested command file, whose text is not known yet).
      {"\"/max/prog\"", true},
      {"@other.tm", true},
      {"/pause write to me@example.com", true},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(TextMayNeedDesktop(c.text), c.mayNeed) << c.text;
  }
}

TEST(DesktopNeed, AFileRunIsJudgedByTheFilesText) {
  testing::TempDir dir;
  const std::string plain = dir.Write("plain.tm", "/set X=1\n\"/bin/true\" /wait\n");
  const std::string keys = dir.Write("keys.tm", "/set X=1\n/sendkeys \"a\"\n");
  const std::string nested = dir.Write("nested.tm", "@plain.tm\n");
  const std::string empty = dir.Write("empty.tm", "");
  const std::string fifo = dir.File("fifo.tm");
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  struct Case {
    std::string argument;
    bool mayNeed;
  };
  const Case cases[] = {
      {"", true},  // the editor
      {"/set X=1", false},
      {plain, false},
      {"\"" + plain + "\"", false},
      {empty, false},
      {keys, true},
      {"\"" + keys + "\"", true},
      {nested, true},
      {"@" + plain, true},       // written as a command: its "@" decides
      {fifo, true},              // read once only, by the run itself
      {dir.File("%NAME%.tm"), true},
      {dir.File("missing.tm"), false},  // fails the same way in either program
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ArgumentMayNeedDesktop(c.argument), c.mayNeed) << c.argument;
  }
}

// A FIFO is judged by its type: opened for a moment, it would let a waiting
// writer start writing into a pipe that is gone before the run reads it.
TEST(DesktopNeed, AFifoIsNeverOpenedToJudgeIt) {
  testing::TempDir dir;
  const std::string fifo = dir.File("fifo.tm");
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  std::atomic<bool> writerOpened{false};
  std::thread writer([&] {
    const int fd = open(fifo.c_str(), O_WRONLY);  // blocks until a reader opens
    writerOpened = true;
    if (fd >= 0) close(fd);
  });
  std::this_thread::sleep_for(std::chrono::milliseconds(50));  // the writer waits in open() by now
  EXPECT_TRUE(ArgumentMayNeedDesktop(fifo));
  std::this_thread::sleep_for(std::chrono::milliseconds(50));
  EXPECT_FALSE(writerOpened) << "the FIFO was opened";
  const int reader = open(fifo.c_str(), O_RDONLY | O_NONBLOCK);  // lets a waiting writer go
  writer.join();
  if (reader >= 0) close(reader);
}

}  // namespace
}  // namespace tolm
