// The editor's list side: new, edit and delete commands, moves, keys and
// Replace All.
#include <string>
#include <vector>

#include "ui/editor_fixture.h"

namespace tolm {
namespace {

using testing::EditorTest;
using Lines = std::vector<std::string>;
using Indexes = std::vector<size_t>;

struct MoveCase {
  Indexes selected;
  bool up;
  Lines lines;
  Indexes selectedAfter;
  std::string message;
  bool modified;
};

TEST_F(EditorTest, MovesKeepTheSelectionOrStopWithAMessage) {
  const MoveCase cases[] = {
      {{1, 2}, true, {"b", "c", "a", "d"}, {0, 1}, "", true},
      {{0, 1, 2}, true, {"a", "b", "c", "d"}, {0, 1, 2}, "At first item", false},
      {{1, 3}, true, {"b", "a", "d", "c"}, {0, 2}, "", true},
      {{0, 1}, false, {"c", "a", "b", "d"}, {1, 2}, "", true},
      {{2, 3}, false, {"a", "b", "c", "d"}, {2, 3}, "At last item", false},
      {{0, 2}, false, {"b", "a", "d", "c"}, {1, 3}, "", true},
      {{}, true, {"a", "b", "c", "d"}, {}, "No item(s) selected", false},
      {{}, false, {"a", "b", "c", "d"}, {}, "No item(s) selected", false},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.up ? "up" : "down") + " " + std::to_string(c.selected.size()));
    LoadLines({"a", "b", "c", "d"});
    Select(c.selected);
    beeps = 0;
    if (c.up)
      editor.btnUpClick();
    else
      editor.btnDownClick();
    EXPECT_EQ(editor.Lines(), c.lines);
    EXPECT_EQ(Selection(), c.selectedAfter);
    EXPECT_EQ(editor.StatusMessage(), c.message);
    EXPECT_EQ(beeps, c.message.empty() ? 0 : 1);
    EXPECT_EQ(editor.ModifiedPanel(), c.modified ? "Modified" : "");
  }
}

TEST_F(EditorTest, SetModifiedClearsTheMessageLineWithoutABeep) {
  LoadLines({"a", "b"});
  editor.btnUpClick();
  ASSERT_EQ(editor.StatusMessage(), "No item(s) selected");
  Select({1});
  editor.btnUpClick();
  EXPECT_EQ(editor.StatusMessage(), "");
  EXPECT_EQ(beeps, 1);
}

TEST_F(EditorTest, DeleteRemovesEverySelectedLine) {
  const struct {
    Indexes selected;
    Lines lines;
    std::vector<std::string> errors;
    bool modified;
  } cases[] = {
      {{0, 1, 3}, {"c"}, {}, true},
      {{0, 1, 2, 3}, {}, {}, true},
      {{}, {"a", "b", "c", "d"}, {"No item(s) selected"}, false},
  };
  for (const auto& c : cases) {
    LoadLines({"a", "b", "c", "d"});
    Select(c.selected);
    user.errors.clear();
    editor.List1KeyDown(kKeyDelete);
    EXPECT_EQ(editor.Lines(), c.lines);
    EXPECT_EQ(user.errors, c.errors);
    EXPECT_EQ(editor.IsModified(), c.modified);
  }
}

TEST_F(EditorTest, NewCommandFollowedByCancelLeavesAnEmptyLineAndModified) {
  LoadLines({"a", "b"});
  Select({0});
  dialog.Cancel();
  editor.List1KeyDown(kKeyInsert);
  EXPECT_EQ(editor.Lines(), (Lines{"a", "b", ""}));
  EXPECT_EQ(Selection(), Indexes{2});
  EXPECT_EQ(editor.ItemIndex(), 2);
  EXPECT_EQ(editor.ModifiedPanel(), "Modified");
  EXPECT_EQ(dialog.shown.at(0).Prog, "");
}

TEST_F(EditorTest, NewCommandAppendsTheComposedLine) {
  LoadLines({"a"});
  dialog.Accept([](CommandDialogModel& d) {
    d.SetProg("notepad.exe");
    d.Args = "readme.txt";
    d.WaitOpt = true;
    d.WindowMode = WindowModeOption::Hidden;
  });
  editor.NewCommand1Click();
  EXPECT_EQ(editor.Lines(), (Lines{"a", "notepad.exe/hide/wait readme.txt"}));
  EXPECT_TRUE(editor.IsModified());
}

TEST_F(EditorTest, EditNeedsExactlyOneSelectedLine) {
  const struct {
    Indexes selected;
    std::vector<std::string> errors;
  } cases[] = {
      {{}, {"No item selected"}},
      {{0, 1}, {"Too many items selected - select only one to edit"}},
  };
  for (const auto& c : cases) {
    LoadLines({"a", "b"});
    Select(c.selected);
    user.errors.clear();
    editor.EditCommand1Click();
    EXPECT_EQ(user.errors, c.errors);
    EXPECT_FALSE(editor.IsModified());
  }
  EXPECT_TRUE(dialog.shown.empty());
}

TEST_F(EditorTest, EditShowsTheLineAndReplacesItOnOk) {
  LoadLines({"x", "notepad.exe /wait readme.txt"});
  Select({1});
  dialog.Accept();
  editor.List1KeyDown(kKeyEnter);
  EXPECT_EQ(dialog.shown.at(0).Prog, "notepad.exe");
  EXPECT_EQ(dialog.shown.at(0).Args, "\"readme.txt\"");
  EXPECT_TRUE(dialog.shown.at(0).WaitOpt);
  EXPECT_EQ(editor.Lines(), (Lines{"x", "notepad.exe/wait \"readme.txt\""}));
  EXPECT_EQ(editor.ItemIndex(), 1);
  EXPECT_TRUE(editor.IsModified());
}

TEST_F(EditorTest, ACancelledEditChangesNothingButMarksTheListModified) {
  LoadLines({"x", "y"});
  Select({0});
  dialog.steps.push_back([](CommandDialogModel& d) {
    d.SetProg("changed");
    return false;
  });
  editor.List1DblClick();
  EXPECT_EQ(editor.Lines(), (Lines{"x", "y"}));
  EXPECT_EQ(editor.ModifiedPanel(), "Modified");
  EXPECT_EQ(editor.ItemIndex(), 0);
}

TEST_F(EditorTest, OtherKeysDoNothing) {
  LoadLines({"x"});
  Select({0});
  editor.List1KeyDown(65);
  EXPECT_EQ(editor.Lines(), Lines{"x"});
  EXPECT_FALSE(editor.IsModified());
}

TEST_F(EditorTest, LongLinesAreEditedWhole) {
  const std::string comment = "; " + std::string(400, 'c');
  const std::string program = "prog " + std::string(300, 'w') + " tail";
  const std::string path = LoadLines({comment, program});
  for (size_t i : {0u, 1u}) {
    Select({i});
    dialog.Accept();
    editor.EditCommand1Click();
  }
  EXPECT_EQ(editor.Lines(), (Lines{comment, program}));
  EXPECT_TRUE(editor.Save1Click());
  EXPECT_EQ(testing::ReadFileText(path), comment + "\r\n" + program + "\r\n");
}

TEST_F(EditorTest, ReplaceAllChangesEveryLineAndMarksTheListModified) {
  const struct {
    std::optional<ReplaceStrings> answer;
    Lines lines;
    bool modified;
  } cases[] = {
      {ReplaceStrings{"ab", "X"}, {"X X", "cd", "aX"}, true},
      {ReplaceStrings{"ab", ""}, {" ", "cd", "a"}, true},
      {ReplaceStrings{"zz", "y"}, {"ab ab", "cd", "aab"}, true},
      {std::nullopt, {"ab ab", "cd", "aab"}, false},
  };
  for (const auto& c : cases) {
    LoadLines({"ab ab", "cd", "aab"});
    user.replaces = {c.answer};
    editor.Replace1Click();
    EXPECT_EQ(editor.Lines(), c.lines);
    EXPECT_EQ(editor.IsModified(), c.modified);
  }
  EXPECT_EQ(user.replaceDialogs, 4);
}

TEST_F(EditorTest, ReplaceOnAnEmptyListHasNothingToReplace) {
  editor.Start("");
  editor.Replace1Click();
  EXPECT_EQ(user.errors, Lines{"Nothing to replace"});
  EXPECT_EQ(user.replaceDialogs, 0);
  EXPECT_FALSE(editor.IsModified());
}

}  // namespace
}  // namespace tolm
