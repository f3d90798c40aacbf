// The command file editor "Tolm Command File Editor": a command file as a
// list of lines that the user adds to, changes, deletes, reorders, searches
// and replaces in, saves and runs. This is the editor's state and the
// behaviour of its menus, buttons and keys; a form shows the list, the
// caption and the two status panels and calls the handlers.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "ui/core/command_mapping.h"
#include "ui/core/user_questions.h"

namespace tolm {

inline constexpr const char* kEditorCaption = "Tolm Command File Editor";
inline constexpr const char* kModifiedText = "Modified";
inline constexpr const char* kSaveChangesQuestion = "Do you want to save your changes?";
inline constexpr const char* kSaveBeforeRunQuestion =
    "You must save changes before running.\r\nDo you want to save your changes?";
// An untitled list without changes has no file to run.
inline constexpr const char* kNothingToRun = "Nothing to run - save the list to a file first";

// Virtual key codes List1KeyDown acts on.
inline constexpr int kKeyEnter = 13;
inline constexpr int kKeyInsert = 45;
inline constexpr int kKeyDelete = 46;

// OpenDialog1 and SaveDialog1.
FileDialogRequest OpenCommandFileRequest();
FileDialogRequest SaveCommandFileRequest();

// What the editor has done outside itself.
struct EditorActions {
  // Runs one command text; empty: the interpreter's RunCommandText.
  std::function<void(const std::string&)> runCommandText;
  // The default beep of a non-empty message line.
  std::function<void()> beep;
  // The hourglass on (true) or off around a run; the form also serves its
  // pending messages then.
  std::function<void(bool busy)> showBusy;
};

class EditorModel {
 public:
  EditorModel(UserQuestions& questions, CommandDialogHost& commandDialog, EditorActions actions);

  // "/edit": the editor on fileName, read when not empty; untitled otherwise.
  void Start(const std::string& fileName);

  // --- state shown by the form
  const std::string& FileName() const { return fileName_; }
  const std::string& Caption() const { return caption_; }
  const std::string& BaseCaption() const { return baseCaption_; }
  // StatusBar1: panel 0 is the message line, panel 1 "Modified" or empty.
  const std::string& StatusMessage() const { return statusMessage_; }
  const std::string& ModifiedPanel() const { return modifiedPanel_; }
  // The list has changes that are not saved.
  bool IsModified() const { return modifiedPanel_ == kModifiedText; }

  // --- List1: lines, multiple selection, current item (-1: none)
  const std::vector<std::string>& Lines() const { return lines_; }
  bool IsSelected(size_t index) const { return selected_.at(index); }
  void SetSelected(size_t index, bool selected) { selected_.at(index) = selected; }
  void ClearSelection();
  int ItemIndex() const { return itemIndex_; }
  void SetItemIndex(int index) { itemIndex_ = index; }

  // --- operations
  // Shows the message in panel 0; a non-empty message beeps.
  void StatusLine(const std::string& message);
  // Panel 1 := "Modified" or empty; clears the message line.
  void SetModified(bool flag);
  // With unsaved changes asks whether to save them and saves on Yes. False
  // when the user wanted them saved and they still are not (the save failed
  // or its file dialog was cancelled): the caller must not drop them.
  bool CheckModified();
  // FileName := name without leading and trailing control characters and
  // blanks; the caption follows it.
  void SetFileName(const std::string& name);
  // Loads FileName into the list; false (after an error box) when it cannot
  // be opened.
  bool ReadFile();
  // Saves the list to FileName; false (after an error box) when the save
  // failed, and the old file is then unchanged.
  bool WriteFile();

  // --- File menu
  void New1Click();
  void Open1Click();
  bool Save1Click();
  bool SaveAs1Click();
  void Run1Click();
  // "E&xit" closes the form, which asks OnCloseQuery first.
  // True when the form may close: unsaved changes are saved or given up.
  bool OnCloseQuery() { return CheckModified(); }

  // --- Edit menu, context menu, list and buttons
  void NewCommand1Click();
  void EditCommand1Click();
  void DeleteCommand1Click();
  void Replace1Click();
  void btnUpClick();
  void btnDownClick();
  void List1KeyDown(int virtualKey);
  void List1DblClick() { EditCommand1Click(); }

 private:
  void SetCaption(const std::string& caption) { caption_ = caption; }
  void ClearList();
  std::vector<size_t> SelectedIndexes() const;
  void EditLine(size_t index);
  void RunFile();

  UserQuestions& questions_;
  CommandDialogHost& commandDialog_;
  EditorActions actions_;

  std::string fileName_;
  std::string caption_ = kEditorCaption;
  std::string baseCaption_;
  std::string statusMessage_;
  std::string modifiedPanel_;
  std::vector<std::string> lines_;
  std::vector<bool> selected_;
  int itemIndex_ = -1;
};

}  // namespace tolm
