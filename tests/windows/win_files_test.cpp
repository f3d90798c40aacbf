// The environment, the current directory, the system's error texts, the
// diagnostic log and the text files on Windows.
// First: <windows.h> (which GoogleTest includes) maps SetEnvironmentVariable
// to its ANSI function, so the declaration must come before it.
#include "services/seams/environment.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>

#include "services/seams/command_file.h"
#include "services/seams/debug_log.h"
#include "services/core/errors.h"
#include "support/run_tolm.h"
#include "ui/core/text_file.h"

#undef SetEnvironmentVariable

namespace tolm {
namespace {

using testing::TempDir;

std::string Win32Variable(const char* name) {
  char value[64] = "";
  const DWORD length = GetEnvironmentVariableA(name, value, sizeof value);
  return length == 0 ? "<unset>" : std::string(value, length);
}

TEST(WinEnvironmentTest, VariablesReachWin32AndTheCLibraryAlike) {
  ASSERT_EQ(SetEnvironmentVariable("TOLM_WIN_ENV", "one two"), 0);
  EXPECT_EQ(Win32Variable("TOLM_WIN_ENV"), "one two");
  EXPECT_STREQ(std::getenv("TOLM_WIN_ENV"), "one two");
  // An empty value: the variable is there, empty, for started programs.
  ASSERT_EQ(SetEnvironmentVariable("TOLM_WIN_ENV", ""), 0);
  EXPECT_EQ(GetEnvironmentVariableA("TOLM_WIN_ENV", nullptr, 0), 1u);
  EXPECT_EQ(SetEnvironmentVariable("", "x"), ERROR_INVALID_PARAMETER);
  EXPECT_EQ(SetEnvironmentVariable("A=B", "x"), ERROR_INVALID_PARAMETER);
}

TEST(WinEnvironmentTest, TheCurrentDirectoryChangesThroughWin32) {
  TempDir dir;
  const std::string before = ProcessCurrentDirectory();
  ASSERT_EQ(ChangeCurrentDirectory(dir.path()), 0);
  char current[MAX_PATH];
  GetCurrentDirectoryA(MAX_PATH, current);
  EXPECT_EQ(ProcessCurrentDirectory(), current);
  EXPECT_EQ(ChangeCurrentDirectory(dir.path() + "\\missing"), ERROR_FILE_NOT_FOUND);
  ASSERT_EQ(ChangeCurrentDirectory(before), 0);
}

TEST(WinErrorTextTest, TheSystemsDescriptionFollowsTheCode) {
  const std::string text = SysErrorText(ERROR_FILE_NOT_FOUND);
  EXPECT_EQ(text.rfind("ERROR 2: ", 0), 0u) << text;
  // Windows ends its descriptions with a line break; it is kept.
  EXPECT_EQ(text.substr(text.size() - 2), "\r\n");
  EXPECT_EQ(text.substr(9), SysErrorDescription(ERROR_FILE_NOT_FOUND));
  // A code the system has no text for.
  EXPECT_EQ(SysErrorText(0x3FFFFFFF), "ERROR 1073741823");
}

TEST(WinDebugLogTest, TheDefaultPathAndAppendedLines) {
  EXPECT_STREQ(kDefaultDebugLogPath, "c:\\tmp\\tolmdebug.log");
  TempDir dir;
  DebugLogEnabled = true;
  DebugLogPath = dir.File("debug.log");
  DebugLog("first");
  DebugLog("second");
  DebugLogPath = dir.File("missing\\debug.log");
  try {
    DebugLog("lost");
    ADD_FAILURE() << "no failure";
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), "Cannot open file " + DebugLogPath + ": " + SysErrorDescription(ERROR_PATH_NOT_FOUND));
  }
  DebugLogEnabled = false;
  DebugLogPath = kDefaultDebugLogPath;
  EXPECT_EQ(dir.Read("debug.log"), "first\r\nsecond\r\n");
}

TEST(WinTextFileTest, LinesAreReadTrimmedAndWrittenWithCrLf) {
  TempDir dir;
  const std::string name = dir.Write("a.tm", "  abc\t\r\n\r\nlast");
  {
    TextFileReader reader("\"" + name + "\"");
    ASSERT_TRUE(reader.IsOpen());
    std::string line;
    EXPECT_EQ(reader.ReadTextLine(line), 8u);
    EXPECT_EQ(line, "abc");
    EXPECT_EQ(reader.ReadTextLine(line), 2u);
    EXPECT_EQ(line, "");
    EXPECT_EQ(reader.ReadTextLine(line), 4u);
    EXPECT_EQ(line, "last");
    EXPECT_EQ(reader.ReadTextLine(line), 0u);
  }

  {
    TextFileWriter writer(name);
    ASSERT_TRUE(writer.IsOpen());
    EXPECT_EQ(writer.WriteTextLine("one"), 5);
    // Until the commit the old file stays whole.
    EXPECT_EQ(dir.Read("a.tm"), "  abc\t\r\n\r\nlast");
    EXPECT_TRUE(writer.Commit());
  }
  EXPECT_EQ(dir.Read("a.tm"), "one\r\n");

  TextFileReader missing(dir.File("none.tm"));
  EXPECT_FALSE(missing.IsOpen());
  EXPECT_EQ(missing.OpenError(), ERROR_FILE_NOT_FOUND);
  TextFileWriter nowhere(dir.File("no-folder\\x.tm"));
  EXPECT_FALSE(nowhere.IsOpen());
  EXPECT_EQ(CouldNotOpenMessage("x.tm", nowhere.OpenError()),
            "Could not open \"x.tm\"\r\n" + SysErrorText(nowhere.OpenError()));
}

TEST(WinCommandFileTest, AFileIsReadWholeAndAMissingOneSaysWhy) {
  TempDir dir;
  const std::string name = dir.Write("s.tm", "/set A=1\r\n/set B=2\r\n");
  CommandFileSource source;
  ASSERT_TRUE(source.Open(name));
  EXPECT_EQ(source.RemainingHint(), 20u);
  char buffer[64];
  std::string text;
  for (size_t n; (n = source.Read(buffer, sizeof buffer)) > 0;) text.append(buffer, n);
  EXPECT_EQ(text, "/set A=1\r\n/set B=2\r\n");
  EXPECT_FALSE(source.Failed());
  EXPECT_FALSE(source.Open(dir.File("none.tm")));
  EXPECT_EQ(source.Error(), ERROR_FILE_NOT_FOUND);
}

}  // namespace
}  // namespace tolm
