// The diagnostic log file and the system error texts.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "services/seams/debug_log.h"
#include "services/core/errors.h"

namespace tolm {
namespace {

bool FileExists(const std::string& path) {
  struct stat st{};
  return stat(path.c_str(), &st) == 0;
}

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

class DebugLogTest : public ::testing::Test {
 protected:
  void TearDown() override {
    DebugLogEnabled = false;
    DebugLogPath = kDefaultDebugLogPath;
    std::remove(path.c_str());
  }
  // One file per process: ctest runs these tests side by side.
  std::string path = ::testing::TempDir() + "debug_log_test." + std::to_string(getpid()) + ".log";
};

TEST_F(DebugLogTest, OffTouchesNothingEvenWithAnImpossiblePath) {
  DebugLogPath = "/nonexistent-folder/x.log";
  EXPECT_NO_THROW(DebugLog("ignored"));
  EXPECT_FALSE(FileExists(DebugLogPath));
}

TEST_F(DebugLogTest, FirstLineCreatesTheFileAndLaterLinesAppend) {
  std::remove(path.c_str());
  DebugLogPath = path;
  DebugLogEnabled = true;
  DebugLog("first");
  EXPECT_EQ(ReadFile(path), "first\r\n") << "complete after every line";
  DebugLog("second");
  EXPECT_EQ(ReadFile(path), "first\r\nsecond\r\n");
}

TEST_F(DebugLogTest, AFifoIsWrittenWhenReadAndRefusedAtOnceWhenNot) {
  std::remove(path.c_str());
  ASSERT_EQ(mkfifo(path.c_str(), 0600), 0);
  DebugLogPath = path;
  DebugLogEnabled = true;
  try {
    DebugLog("nobody reads");
    FAIL() << "expected an exception";
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), "Cannot open file " + path + ": No such device or address");
  }
  const int reader = open(path.c_str(), O_RDONLY | O_NONBLOCK);
  ASSERT_GE(reader, 0);
  DebugLog("read");
  char got[16] = {};
  EXPECT_EQ(read(reader, got, sizeof got), 6);
  EXPECT_STREQ(got, "read\r\n");
  close(reader);
}

TEST_F(DebugLogTest, AnUnwritableLogRaises) {
  DebugLogPath = "/nonexistent-folder/x.log";
  DebugLogEnabled = true;
  try {
    DebugLog("line");
    FAIL() << "expected an exception";
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), "Cannot open file /nonexistent-folder/x.log: No such file or directory");
  }
}

TEST(SysErrorTextTest, CodeAndTheSystemDescription) {
  struct Case {
    int code;
    const char* text;
    const char* description;
  };
  const Case cases[] = {
      {2, "ERROR 2: No such file or directory", "No such file or directory"},
      {1, "ERROR 1: Operation not permitted", "Operation not permitted"},
      {3, "ERROR 3: No such process", "No such process"},
      {99999, "ERROR 99999: Unknown error 99999", "Unknown error 99999"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(SysErrorText(c.code), c.text);
    EXPECT_EQ(SysErrorDescription(c.code), c.description);
  }
}

}  // namespace
}  // namespace tolm
