// The editor's file side: captions, reading, saving, the File menu's
// decisions and running.

#include <string>
#include <vector>

#include "services/core/text.h"
#include "ui/editor_fixture.h"
#include "ui/file_size_limit.h"

namespace tolm {
namespace {

using testing::EditorTest;
using testing::FileSizeLimit;
using testing::ReadFileText;
using Lines = std::vector<std::string>;

const std::string kBase = "Tolm Command File Editor";

TEST_F(EditorTest, CaptionsFollowTheFileName) {
  const struct {
    std::string name;
    std::string fileName;
    std::string caption;
  } cases[] = {
      {"", "", "Untitled - " + kBase},
      {"/home/u/scripts/run.tm", "/home/u/scripts/run.tm", kBase + " - run.tm"},
      {"  \t/a/b.tm \r\n", "/a/b.tm", kBase + " - b.tm"},
      {"c:\\dir\\x.tm", "c:\\dir\\x.tm", kBase + " - x.tm"},
      {"   ", "", "Untitled - " + kBase},
  };
  EXPECT_EQ(editor.Caption(), kBase);
  for (const auto& c : cases) {
    editor.SetFileName(c.name);
    EXPECT_EQ(editor.FileName(), c.fileName);
    EXPECT_EQ(editor.Caption(), c.caption);
    EXPECT_EQ(editor.BaseCaption(), kBase);
  }
}

TEST_F(EditorTest, AFileIsShownTrimmedAndSavedWithCrLf) {
  const std::string long300(300, 'x');
  const std::string long5000 = "; " + std::string(5000, 'y');
  const std::string path = Load("  first\r\n\tsecond  \n\r\n" + long300 + "\r\n" + long5000 + "\r\nlast");
  EXPECT_EQ(editor.Caption(), kBase + " - t.tm");
  EXPECT_EQ(editor.Lines(), (Lines{"first", "second", "", long300, long5000, "last"}));
  EXPECT_FALSE(editor.IsModified());
  EXPECT_TRUE(editor.Save1Click());
  EXPECT_EQ(ReadFileText(path), "first\r\nsecond\r\n\r\n" + long300 + "\r\n" + long5000 + "\r\nlast\r\n");
  EXPECT_TRUE(user.errors.empty());
}

TEST_F(EditorTest, AFileThatCannotBeReadLeavesTheListEmpty) {
  LoadLines({"a"});
  Select({0});
  editor.DeleteCommand1Click();
  ASSERT_TRUE(editor.IsModified());
  editor.SetFileName(dir.File("none.tm"));
  EXPECT_FALSE(editor.ReadFile());
  EXPECT_EQ(user.errors, Lines{"Could not open \"" + dir.File("none.tm") + "\"\r\nERROR 2: No such file or directory"});
  EXPECT_TRUE(editor.Lines().empty());
  EXPECT_TRUE(editor.IsModified());
}

TEST_F(EditorTest, NewAfterNoGivesAnUntitledEmptySavedList) {
  LoadLines({"a", "b"});
  Select({0});
  editor.DeleteCommand1Click();
  user.yesNo = {false};
  editor.New1Click();
  EXPECT_EQ(user.questions, Lines{"Do you want to save your changes?"});
  EXPECT_EQ(editor.Caption(), "Untitled - " + kBase);
  EXPECT_EQ(editor.FileName(), "");
  EXPECT_TRUE(editor.Lines().empty());
  EXPECT_EQ(editor.ModifiedPanel(), "");
}

TEST_F(EditorTest, OpenAsksOnceAndNoDiscardsTheChanges) {
  const std::string first = LoadLines({"a", "b"});
  const std::string second = dir.Write("other.tm", "x\r\ny\r\n");
  Select({0});
  editor.DeleteCommand1Click();
  user.yesNo = {false};
  user.openNames = {second};
  editor.Open1Click();
  EXPECT_EQ(user.questions, Lines{"Do you want to save your changes?"});
  FileDialogRequest open;
  open.filter = "Tolm Files (*.tm)|*.TM";
  open.defaultExtension = "TM";
  open.pathMustExist = open.fileMustExist = true;
  EXPECT_EQ(user.openRequests, std::vector<FileDialogRequest>{open});
  EXPECT_EQ(editor.Lines(), (Lines{"x", "y"}));
  EXPECT_EQ(editor.Caption(), kBase + " - other.tm");
  EXPECT_FALSE(editor.IsModified());
  EXPECT_EQ(ReadFileText(first), "a\r\nb\r\n");
}

TEST_F(EditorTest, OpenAfterYesSavesFirstAndACancelledDialogKeepsTheList) {
  const std::string path = LoadLines({"a", "b"});
  Select({0});
  editor.DeleteCommand1Click();
  user.yesNo = {true};
  user.openNames = {std::nullopt};
  editor.Open1Click();
  EXPECT_EQ(ReadFileText(path), "b\r\n");
  EXPECT_EQ(editor.Lines(), Lines{"b"});
  EXPECT_EQ(editor.FileName(), path);
}

TEST_F(EditorTest, SaveOfAnUntitledListAsksForANameAndACancelKeepsItModified) {
  editor.Start("");
  dialog.Accept([](CommandDialogModel& d) { d.SetProg("p"); });
  editor.NewCommand1Click();
  user.saveNames = {std::nullopt};
  EXPECT_FALSE(editor.Save1Click());
  FileDialogRequest save;
  save.filter = "Tolm Files (*.tm)|*.TM";
  save.defaultExtension = ".TM";
  save.overwritePrompt = true;
  EXPECT_EQ(user.saveRequests, std::vector<FileDialogRequest>{save});
  EXPECT_TRUE(editor.IsModified());
  const std::string path = dir.File("new.tm");
  user.saveNames = {path};
  EXPECT_TRUE(editor.Save1Click());
  EXPECT_EQ(ReadFileText(path), "p \r\n");
  EXPECT_EQ(editor.Caption(), kBase + " - new.tm");
  EXPECT_EQ(editor.ModifiedPanel(), "");
}

TEST_F(EditorTest, AFailedSaveKeepsTheOldFileAndTheListModified) {
  const std::string path = LoadLines({"one", "two"});
  Select({0});
  editor.btnDownClick();
  {
    FileSizeLimit limit(6);
    EXPECT_FALSE(editor.Save1Click());
  }
  EXPECT_EQ(user.errors, Lines{"Could not write to file\r\nERROR 27: File too large"});
  EXPECT_EQ(ReadFileText(path), "one\r\ntwo\r\n");
  EXPECT_EQ(editor.ModifiedPanel(), "Modified");
}

TEST_F(EditorTest, ASaveIntoAMissingFolderReportsTheOpenFailure) {
  LoadLines({"one"});
  Select({0});
  editor.DeleteCommand1Click();
  const std::string path = dir.File("gone/x.tm");
  user.saveNames = {path};
  EXPECT_FALSE(editor.SaveAs1Click());
  EXPECT_EQ(user.errors, Lines{"Could not open \"" + path + "\"\r\nERROR 2: No such file or directory"});
  EXPECT_TRUE(editor.IsModified());
}

// Closing, New and Open with unsaved changes: the answer, whether the save
// works, and whether the editor goes on (closes, empties, opens).
TEST_F(EditorTest, UnsavedChangesAreNeverDroppedAfterYesAndAFailedSave) {
  const struct {
    bool modified;
    std::vector<bool> answers;
    bool saveFails;
    bool goesOn;
  } cases[] = {
      {false, {}, false, true},
      {true, {false}, false, true},
      {true, {true}, false, true},
      {true, {true}, true, false},
  };
  for (const auto& c : cases) {
    for (int action = 0; action < 3; ++action) {
      SCOPED_TRACE(std::to_string(action) + (c.saveFails ? " failing" : ""));
      editor.Start(dir.Write("t.tm", "a\r\nb\r\n"));
      if (c.modified) {
        Select({1});
        editor.btnUpClick();
      }
      user.yesNo.assign(c.answers.begin(), c.answers.end());
      if (c.saveFails) editor.SetFileName(dir.File("gone/t.tm"));
      bool wentOn = false;
      if (action == 0) {
        wentOn = editor.OnCloseQuery();
      } else if (action == 1) {
        editor.New1Click();
        wentOn = editor.FileName().empty();
      } else {
        user.openNames = {std::nullopt};
        editor.Open1Click();
        wentOn = user.openNames.empty();  // the file dialog was shown
        user.openNames.clear();
      }
      EXPECT_EQ(wentOn, c.goesOn);
      if (!c.goesOn) {
        EXPECT_TRUE(editor.IsModified());
      }
      user.errors.clear();
    }
  }
}

TEST_F(EditorTest, RunningAnUnsavedListAsksAndNoLeavesItUnrun) {
  editor.Start("");
  dialog.Accept([](CommandDialogModel& d) { d.SetProg("p"); });
  editor.NewCommand1Click();
  user.yesNo = {false};
  editor.Run1Click();
  EXPECT_EQ(user.questions, Lines{"You must save changes before running.\r\nDo you want to save your changes?"});
  EXPECT_TRUE(runs.empty());
  EXPECT_TRUE(editor.IsModified());
}

TEST_F(EditorTest, RunSavesOnYesAndRunsTheFileByItsQuotedName) {
  editor.Start("");
  dialog.Accept([](CommandDialogModel& d) { d.SetProg("p"); });
  editor.NewCommand1Click();
  const std::string path = dir.File("my run.tm");
  user.yesNo = {true};
  user.saveNames = {path};
  editor.Run1Click();
  EXPECT_EQ(ReadFileText(path), "p \r\n");
  EXPECT_EQ(runs, Lines{"@\"" + path + "\""});
  EXPECT_EQ(captionsDuringRun, Lines{"Running my run.tm - " + kBase});
  EXPECT_EQ(busy, (std::vector<bool>{true, false}));
  EXPECT_EQ(editor.Caption(), kBase + " - my run.tm");
  EXPECT_FALSE(editor.IsModified());
}

TEST_F(EditorTest, RunFailuresAreShownAndTheEditorStays) {
  const std::string path = LoadLines({"p"});
  runFailure = "Could not start application \"p\"";
  editor.Run1Click();
  EXPECT_EQ(runs, Lines{"@\"" + path + "\""});
  EXPECT_EQ(user.errors, Lines{"TOLM32: Could not start application \"p\""});
  EXPECT_EQ(editor.Caption(), kBase + " - t.tm");
  EXPECT_EQ(busy, (std::vector<bool>{true, false}));
}

TEST_F(EditorTest, StandardExceptionsFromARunAreShownLikeAnyFailure) {
  LoadLines({"p"});
  runOutOfMemory = true;
  editor.Run1Click();
  EXPECT_EQ(user.errors, Lines{"TOLM32: std::bad_alloc"});
  EXPECT_EQ(editor.Caption(), kBase + " - " + StripDirectory(editor.FileName()));
}

TEST_F(EditorTest, RunWithAFailedSaveDoesNotRun) {
  LoadLines({"a", "b"});
  Select({1});
  editor.btnUpClick();
  editor.SetFileName(dir.File("gone/t.tm"));
  user.yesNo = {true};
  editor.Run1Click();
  EXPECT_TRUE(runs.empty());
  EXPECT_EQ(user.errors.size(), 1u);
}

TEST_F(EditorTest, RunningAnUntitledListWithoutChangesSaysThereIsNothingToRun) {
  editor.Start("");
  editor.Run1Click();
  EXPECT_TRUE(runs.empty());
  EXPECT_EQ(editor.StatusMessage(), "Nothing to run - save the list to a file first");
  EXPECT_EQ(beeps, 1);
  EXPECT_EQ(editor.Caption(), "Untitled - " + kBase);
  EXPECT_TRUE(user.questions.empty());
}

TEST_F(EditorTest, AQuotedFileNameRunsAsItIs) {
  const std::string path = dir.Write("q.tm", "p\r\n");
  editor.Start("\"" + path + "\"");
  EXPECT_EQ(editor.Lines(), Lines{"p"});
  editor.Run1Click();
  EXPECT_EQ(runs, Lines{"@\"" + path + "\""});
}

}  // namespace
}  // namespace tolm
