#include "ui/core/command_dialog_model.h"

#include "front/command_parser.h"
#include "front/keyword_table.h"
#include "services/core/errors.h"

namespace tolm {
namespace {

bool StartsWith(const std::string& text, char c) { return !text.empty() && text.front() == c; }

// Program lines, comments and calls of a command file such as '@file' get the
// general captions and every option.
bool IsProgramWord(const std::string& prog) {
  if (prog == "@") return false;
  return !(StartsWith(prog, '/') || StartsWith(prog, ';') || StartsWith(prog, '#'));
}

}  // namespace

FileDialogRequest BrowseProgramRequest() {
  FileDialogRequest r;
  r.filter = "Executables (*.exe;*.com;*.bat)|*.exe;*.com;*.bat|All Files (*.*)|*.*";
  r.readOnly = true;
  r.pathMustExist = true;
  r.fileMustExist = true;
  r.shareAware = true;
  return r;
}

void CommandDialogModel::SetProg(const std::string& text) {
  Prog = text;
  ProgChange();
}

void CommandDialogModel::ProgChange() {
  Label3Visible = Label2Visible = ArgsVisible = true;
  if (IsProgramWord(Prog)) {
    EnableOptions(true);
    Label3 = "Command";
    Label2 = "Arguments";
    return;
  }
  EnableOptions(false);
  const int row = LookupKeyword(Prog);
  // "@" has a keyword row of its own (captions "Command" and "filename"),
  // though not one of the list's keyword items.
  if (row > 0 && (KeywordRow(row).InCommandList || Prog == "@")) {
    const TKwRec& kw = KeywordRow(row);
    Label3 = std::string(kw.Caption1);
    Label2 = std::string(kw.Caption2);
    Label2Visible = !Label2.empty();
    Label3Visible = !Label3.empty();
    ArgsVisible = Label2Visible || Label3Visible;
    return;
  }
  if (StartsWith(Prog, ';') || StartsWith(Prog, '#')) {
    Label3 = "Comment";
    Label2 = "Text";
  } else {
    Label3 = "Command";
    Label2 = "Arguments";
  }
}

void CommandDialogModel::ProgDropDown() {
  ProgItems = {"", ";", "#", "@"};
  for (int row = 1; row <= kKeywordSearchRows; ++row) {
    const TKwRec& kw = KeywordRow(row);
    if (kw.InCommandList) ProgItems.emplace_back(kw.Name);
  }
  Prog.clear();
}

// An absolute path starting with "/" would read as an internal command word,
// so it comes in double quotes: a program path that may hold blanks.
void CommandDialogModel::btnBrowseClick(UserQuestions& questions) {
  auto name = questions.AskOpenFileName(BrowseProgramRequest());
  if (!name) return;
  SetProg(!name->empty() && name->front() == '/' ? '"' + *name + '"' : *name);
}

bool CommandDialogModel::btnOkClick() const {
  if (!StartsWith(Prog, '/') && !StartsWith(Prog, '@')) return true;
  try {
    TTolmYacc().Parse(Prog + " " + Args + "\r\n", "ARGS");
    return true;
  } catch (const Exception&) {
    // The parser has shown its report; the user corrects the line or cancels.
    return false;
  }
}

}  // namespace tolm
