#include "ui/core/text_file.h"

#include <dirent.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <string>
#include <utility>
#include <vector>

#include "support/run_tolm.h"
#include "ui/file_size_limit.h"
#include "ui/scripted_user.h"

namespace tolm {
namespace {

using testing::FileSizeLimit;
using testing::ReadFileText;
using testing::ScriptedUser;
using testing::TempDir;

// Every line and byte count ReadTextLine delivers, up to and including the final 0.
std::vector<std::pair<std::string, size_t>> ReadAll(const std::string& name) {
  TextFileReader reader(name);
  EXPECT_TRUE(reader.IsOpen());
  std::vector<std::pair<std::string, size_t>> reads;
  std::string line;
  for (;;) {
    const size_t count = reader.ReadTextLine(line);
    reads.emplace_back(line, count);
    if (count == 0) return reads;
  }
}

std::vector<std::string> FilesIn(const std::string& dir) {
  std::vector<std::string> names;
  DIR* d = opendir(dir.c_str());
  while (dirent* e = readdir(d)) {
    const std::string n = e->d_name;
    if (n != "." && n != "..") names.push_back(n);
  }
  closedir(d);
  return names;
}

TEST(TextFileRead, LinesAreTrimmedAndCountedInBytesConsumed) {
  const std::string long300(300, 'x');
  const std::string long70000 = "go " + std::string(70000, 'y') + " end";
  const struct {
    std::string contents;
    std::vector<std::pair<std::string, size_t>> reads;
  } cases[] = {
      {"  abc\t\r\n", {{"abc", 8}, {"", 0}}},
      {"   \r\n", {{"", 5}, {"", 0}}},
      {"\r\n\r\nx\r\n", {{"", 2}, {"", 2}, {"x", 3}, {"", 0}}},
      {"one\r\nlast", {{"one", 5}, {"last", 4}, {"", 0}}},
      {"\tindented\r\n    twice\n", {{"indented", 11}, {"twice", 10}, {"", 0}}},
      {"", {{"", 0}}},
      // Lines longer than 255 characters, and longer than the read buffer, come whole.
      {long300 + "\r\n", {{long300, 302}, {"", 0}}},
      {long70000 + "\r\nnext\r\n", {{long70000, long70000.size() + 2}, {"next", 6}, {"", 0}}},
  };
  TempDir dir;
  for (const auto& c : cases) {
    const std::string name = dir.Write("t.tm", c.contents);
    EXPECT_EQ(ReadAll(name), c.reads) << c.contents.substr(0, 40);
  }
}

TEST(TextFileRead, ANameInDoubleQuotesOpensTheFileWithoutThem) {
  TempDir dir;
  const std::string name = dir.Write("my file.tm", "a\r\n");
  EXPECT_EQ(ReadAll("\"" + name + "\""), (std::vector<std::pair<std::string, size_t>>{{"a", 3}, {"", 0}}));
}

TEST(TextFileRead, AMissingFileCannotBeOpenedAndSaysWhy) {
  TempDir dir;
  TextFileReader reader(dir.File("none.tm"));
  EXPECT_FALSE(reader.IsOpen());
  EXPECT_EQ(CouldNotOpenMessage("none.tm", reader.OpenError()),
            "Could not open \"none.tm\"\r\nERROR 2: No such file or directory");
}

TEST(TextFileWrite, ReplacesTheWholeFileWithCrLfLinesAndLeavesNothingElse) {
  TempDir dir;
  const std::string name = dir.Write("t.tm", "a much longer old content\r\nthat must go\r\n");
  chmod(name.c_str(), 0640);
  const std::string long300(300, 'z');
  {
    TextFileWriter writer(name);
    ASSERT_TRUE(writer.IsOpen());
    EXPECT_EQ(writer.WriteTextLine("one"), 5);
    EXPECT_EQ(writer.WriteTextLine(""), 2);
    EXPECT_EQ(writer.WriteTextLine(long300), 302);
    EXPECT_EQ(ReadFileText(name), "a much longer old content\r\nthat must go\r\n");  // untouched until committed
    EXPECT_TRUE(writer.Commit());
  }
  EXPECT_EQ(ReadFileText(name), "one\r\n\r\n" + long300 + "\r\n");
  EXPECT_EQ(FilesIn(dir.path()), std::vector<std::string>{"t.tm"});
  struct stat st {};
  ASSERT_EQ(stat(name.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0640u);
}

TEST(TextFileWrite, ANewFileAndAQuotedNameAreWritten) {
  TempDir dir;
  const std::string name = dir.File("new file.tm");
  TextFileWriter writer("\"" + name + "\"");
  ASSERT_TRUE(writer.IsOpen());
  writer.WriteTextLine("x");
  EXPECT_TRUE(writer.Commit());
  EXPECT_EQ(ReadFileText(name), "x\r\n");
}

TEST(TextFileWrite, ASaveThroughASymbolicLinkReplacesTheFileItPointsTo) {
  TempDir dir;
  const std::string real = dir.Write("real.tm", "old\r\n");
  const std::string link = dir.File("link.tm");
  ASSERT_EQ(symlink(real.c_str(), link.c_str()), 0);
  TextFileWriter writer(link);
  writer.WriteTextLine("new");
  EXPECT_TRUE(writer.Commit());
  EXPECT_EQ(ReadFileText(real), "new\r\n");
  struct stat st {};
  ASSERT_EQ(lstat(link.c_str(), &st), 0);
  EXPECT_TRUE(S_ISLNK(st.st_mode));
}

TEST(TextFileWrite, AnAbandonedSaveLeavesTheOldFileWhole) {
  TempDir dir;
  const std::string name = dir.Write("t.tm", "old\r\n");
  {
    TextFileWriter writer(name);
    writer.WriteTextLine("new");
  }
  EXPECT_EQ(ReadFileText(name), "old\r\n");
  EXPECT_EQ(FilesIn(dir.path()), std::vector<std::string>{"t.tm"});
}

TEST(TextFileWrite, AFolderThatDoesNotExistCannotBeOpened) {
  TempDir dir;
  TextFileWriter writer(dir.File("missing/t.tm"));
  EXPECT_FALSE(writer.IsOpen());
  EXPECT_EQ(writer.OpenError(), ENOENT);
}

TEST(TextFileWrite, AFailedWriteReportsItselfAndLeavesTheOldFileWhole) {
  ScriptedUser user;
  TempDir dir;
  const std::string name = dir.Write("t.tm", "old\r\n");
  {
    FileSizeLimit limit(8);
    TextFileWriter writer(name);
    EXPECT_EQ(writer.WriteTextLine("first"), 7);
    EXPECT_EQ(writer.WriteTextLine("second"), -1);
  }
  EXPECT_EQ(user.errors, std::vector<std::string>{"Could not write to file\r\nERROR 27: File too large"});
  EXPECT_EQ(ReadFileText(name), "old\r\n");
  EXPECT_EQ(FilesIn(dir.path()), std::vector<std::string>{"t.tm"});
}

}  // namespace
}  // namespace tolm
