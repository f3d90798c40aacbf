#include "ui/core/editor_model.h"

#include <exception>
#include <string>
#include <utility>

#include "interp/runner.h"
#include "services/core/errors.h"
#include "services/core/text.h"
#include "services/seams/user_interface.h"
#include "ui/core/text_file.h"

namespace tolm {
namespace {

constexpr const char* kTolmFilesFilter = "Tolm Files (*.tm)|*.TM";

// FileName without its leading and trailing characters of code 32 or less.
std::string TrimControls(const std::string& name) {
  size_t b = 0;
  size_t e = name.size();
  while (b < e && static_cast<unsigned char>(name[b]) <= 32) ++b;
  while (e > b && static_cast<unsigned char>(name[e - 1]) <= 32) --e;
  return name.substr(b, e - b);
}

// The "@" command for a file. The name is quoted (unless it already is), so
// any path runs whatever its characters, an absolute one starting with "/"
// included.
std::string RunText(const std::string& fileName) {
  return fileName.front() == '"' ? "@" + fileName : "@\"" + fileName + "\"";
}

}  // namespace

FileDialogRequest OpenCommandFileRequest() {
  FileDialogRequest r;
  r.filter = kTolmFilesFilter;
  r.defaultExtension = "TM";
  r.pathMustExist = true;
  r.fileMustExist = true;
  return r;
}

FileDialogRequest SaveCommandFileRequest() {
  FileDialogRequest r;
  r.filter = kTolmFilesFilter;
  r.defaultExtension = ".TM";
  r.overwritePrompt = true;
  return r;
}

EditorModel::EditorModel(UserQuestions& questions, CommandDialogHost& commandDialog, EditorActions actions)
    : questions_(questions), commandDialog_(commandDialog), actions_(std::move(actions)) {}

void EditorModel::Start(const std::string& fileName) {
  SetFileName(fileName);
  if (!fileName_.empty()) ReadFile();
}

// --- state

void EditorModel::ClearSelection() { selected_.assign(lines_.size(), false); }

void EditorModel::ClearList() {
  lines_.clear();
  selected_.clear();
  itemIndex_ = -1;
}

std::vector<size_t> EditorModel::SelectedIndexes() const {
  std::vector<size_t> indexes;
  for (size_t i = 0; i < selected_.size(); ++i)
    if (selected_[i]) indexes.push_back(i);
  return indexes;
}

void EditorModel::StatusLine(const std::string& message) {
  statusMessage_ = message;
  if (!message.empty() && actions_.beep) actions_.beep();
}

void EditorModel::SetModified(bool flag) {
  modifiedPanel_ = flag ? kModifiedText : "";
  StatusLine("");
}

bool EditorModel::CheckModified() {
  if (!IsModified() || !questions_.AskYesNo(kSaveChangesQuestion)) return true;
  Save1Click();
  return !IsModified();
}

void EditorModel::SetFileName(const std::string& name) {
  fileName_ = TrimControls(name);
  if (baseCaption_.empty()) baseCaption_ = caption_;
  SetCaption(fileName_.empty() ? "Untitled - " + baseCaption_ : baseCaption_ + " - " + StripDirectory(fileName_));
}

bool EditorModel::ReadFile() {
  ClearList();
  TextFileReader reader(fileName_);
  if (!reader.IsOpen()) {
    ShowError(CouldNotOpenMessage(fileName_, reader.OpenError()));
    return false;
  }
  std::string line;
  while (reader.ReadTextLine(line) > 0) lines_.push_back(line);
  selected_.assign(lines_.size(), false);
  SetModified(false);
  return true;
}

bool EditorModel::WriteFile() {
  TextFileWriter writer(fileName_);
  if (!writer.IsOpen()) {
    ShowError(CouldNotOpenMessage(fileName_, writer.OpenError()));
    return false;
  }
  // The first failure ends the save: the old file stays as it was.
  for (const std::string& line : lines_)
    if (writer.WriteTextLine(line) < 0) return false;
  if (!writer.Commit()) return false;
  SetModified(false);
  return true;
}

// --- File menu

void EditorModel::New1Click() {
  if (!CheckModified()) return;
  SetFileName("");
  ClearList();
  SetModified(false);
}

// The question about unsaved changes comes once, before the file dialog;
// changes the user declined to save are dropped when the new file is read.
void EditorModel::Open1Click() {
  if (!CheckModified()) return;
  if (auto name = questions_.AskOpenFileName(OpenCommandFileRequest())) {
    SetFileName(*name);
    ReadFile();
  }
}

bool EditorModel::Save1Click() { return fileName_.empty() ? SaveAs1Click() : WriteFile(); }

bool EditorModel::SaveAs1Click() {
  auto name = questions_.AskSaveFileName(SaveCommandFileRequest());
  if (!name) return false;
  SetFileName(*name);
  return WriteFile();
}

void EditorModel::Run1Click() {
  if (IsModified() && questions_.AskYesNo(kSaveBeforeRunQuestion)) Save1Click();
  if (IsModified()) return;
  if (fileName_.empty()) {
    StatusLine(kNothingToRun);
    return;
  }
  RunFile();
}

void EditorModel::RunFile() {
  const std::string shortName = StripDirectory(fileName_);
  SetCaption("Running " + shortName + " - " + baseCaption_);
  if (actions_.showBusy) actions_.showBusy(true);
  try {
    if (actions_.runCommandText)
      actions_.runCommandText(RunText(fileName_));
    else
      RunCommandText(RunText(fileName_));
  } catch (const std::exception& e) {
    // Every failure of the run, the standard library's included, ends in the
    // error box; the editor stays open.
    ShowError(std::string("TOLM32: ") + e.what());
  }
  if (actions_.showBusy) actions_.showBusy(false);
  SetCaption(baseCaption_ + " - " + shortName);
}

// --- Edit menu and list

void EditorModel::NewCommand1Click() {
  ClearSelection();
  lines_.emplace_back();
  selected_.push_back(true);
  itemIndex_ = static_cast<int>(lines_.size()) - 1;
  EditCommand1Click();
}

void EditorModel::EditCommand1Click() {
  const std::vector<size_t> selected = SelectedIndexes();
  if (selected.size() > 1) {
    ShowError("Too many items selected - select only one to edit");
    return;
  }
  if (selected.empty()) {
    ShowError("No item selected");
    return;
  }
  EditLine(selected.front());
}

// A cancelled dialog marks the list modified too.
void EditorModel::EditLine(size_t index) {
  Tcmdrec record;
  CmdRecFromLine(record, lines_[index]);
  if (EditCmdRec(record, commandDialog_)) lines_[index] = record.args[0];
  SetModified(true);
  itemIndex_ = static_cast<int>(index);
}

void EditorModel::DeleteCommand1Click() {
  bool deleted = false;
  for (size_t i = 0; i < lines_.size();) {
    if (!selected_[i]) {
      ++i;
      continue;
    }
    lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(i));
    selected_.erase(selected_.begin() + static_cast<std::ptrdiff_t>(i));
    deleted = true;
  }
  if (!deleted) {
    ShowError("No item(s) selected");
    return;
  }
  if (itemIndex_ >= static_cast<int>(lines_.size())) itemIndex_ = static_cast<int>(lines_.size()) - 1;
  SetModified(true);
}

// Each selected line moves one place up, in list order, and stays selected.
// A selected first line stops everything before anything has moved.
void EditorModel::btnUpClick() {
  bool moved = false;
  for (size_t i = 0; i < lines_.size(); ++i) {
    if (!selected_[i]) continue;
    if (i == 0) {
      StatusLine("At first item");
      return;
    }
    std::swap(lines_[i - 1], lines_[i]);
    std::vector<bool>::swap(selected_[i - 1], selected_[i]);
    moved = true;
  }
  if (moved)
    SetModified(true);
  else
    StatusLine("No item(s) selected");
}

// The same from the last line to the first: selected lines move one place
// down; a selected last line stops everything.
void EditorModel::btnDownClick() {
  bool moved = false;
  for (size_t i = lines_.size(); i-- > 0;) {
    if (!selected_[i]) continue;
    if (i + 1 == lines_.size()) {
      StatusLine("At last item");
      return;
    }
    std::swap(lines_[i], lines_[i + 1]);
    std::vector<bool>::swap(selected_[i], selected_[i + 1]);
    moved = true;
  }
  if (moved)
    SetModified(true);
  else
    StatusLine("No item(s) selected");
}

void EditorModel::List1KeyDown(int virtualKey) {
  if (virtualKey == kKeyEnter)
    EditCommand1Click();
  else if (virtualKey == kKeyInsert)
    NewCommand1Click();
  else if (virtualKey == kKeyDelete)
    DeleteCommand1Click();
}

void EditorModel::Replace1Click() {
  if (lines_.empty()) {
    ShowError("Nothing to replace");
    return;
  }
  if (auto strings = questions_.AskReplaceAll()) {
    ReplaceInLines(lines_, *strings);
    SetModified(true);
  }
}

}  // namespace tolm
