#include "ui/core/command_mapping.h"

#include <array>
#include <utility>

#include "front/command_parser.h"
#include "front/command_text.h"
#include "services/core/errors.h"
#include "services/core/text.h"

namespace tolm {
namespace {

// Texts that pass through the parser are at most this long; a longer result
// is cut to it.
constexpr size_t kParserTextLimit = 255;

// The option controls in the order their codes are collected.
struct OptionControl {
  int32_t code;
  bool (*isOn)(const CommandDialogModel&);
};
constexpr std::array<OptionControl, 7> kOptionControls = {{
    {kOptWait, [](const CommandDialogModel& d) { return d.WaitOpt; }},
    {kOptWarn, [](const CommandDialogModel& d) { return d.WarnOpt; }},
    {kOptIgnore, [](const CommandDialogModel& d) { return d.IgnoreOpt; }},
    {kOptHide, [](const CommandDialogModel& d) { return d.WindowMode == WindowModeOption::Hidden; }},
    {kOptNoActivate, [](const CommandDialogModel& d) { return d.WindowMode == WindowModeOption::NoActivate; }},
    {kOptMax, [](const CommandDialogModel& d) { return d.WindowMode == WindowModeOption::Maximized; }},
    {kOptMin, [](const CommandDialogModel& d) { return d.WindowMode == WindowModeOption::Minimized; }},
}};

// The window-mode radio buttons in the order they are set from a record:
// the last one present stays selected.
constexpr std::array<std::pair<int32_t, WindowModeOption>, 4> kWindowModeOrder = {{
    {kOptHide, WindowModeOption::Hidden},
    {kOptNoActivate, WindowModeOption::NoActivate},
    {kOptMax, WindowModeOption::Maximized},
    {kOptMin, WindowModeOption::Minimized},
}};

bool IsCommentOrFileCall(char c) { return c == ';' || c == '#' || c == '@'; }

bool MayBeCut(const CommandList& list);

bool MayBeCut(const CommandRecord& record) {
  for (size_t i = 0; i < record.args.size(); ++i)
    if (record.args[i].size() >= kParserTextLimit) return true;
  return record.condition.size() >= kParserTextLimit || MayBeCut(record.block) || MayBeCut(record.elseBlock);
}

bool MayBeCut(const CommandList& list) {
  for (const CommandRecord& r : list)
    if (MayBeCut(r)) return true;
  return false;
}

void TakeWholeLine(Tcmdrec& record, const std::string& line) {
  record.code = kCmdProgram;
  record.args = {line};
  record.options.clear();
}

// Args for the texts after the command word: each in double quotes, joined by blanks.
std::string QuotedArguments(const std::vector<std::string>& args) {
  std::string text;
  for (size_t i = 1; i < args.size(); ++i) {
    if (i > 1) text += ' ';
    text += '"' + args[i] + '"';
  }
  return text;
}

void ShowLongLine(const std::string& line, CommandDialogModel& dialog) {
  if (IsCommentOrFileCall(line.front())) {
    dialog.Prog = line.substr(0, 1);
    dialog.Args = line.substr(1);
    return;
  }
  FirstWord w = SplitFirstWord(line, false, '"', '"');
  dialog.Prog = w.first;
  dialog.Args = w.rest;
}

// A program path with a blank is quoted, unless it already starts with a quote.
std::string CommandWord(const std::string& prog) {
  if (prog.find(' ') == std::string::npos || prog.front() == '"') return prog;
  return '"' + prog + '"';
}

}  // namespace

void CmdRecFromLine(Tcmdrec& record, const std::string& line) {
  if (TrimBlanks(line).empty()) {
    record.args.clear();
    record.options.clear();
    return;
  }
  std::unique_ptr<CommandStore> commands;
  try {
    commands = TTolmYacc().Parse(line + "\r\n", "COMMAND");
  } catch (const Exception&) {
    // The parser has shown its report; the line stays editable as a whole.
  }
  if (!commands || commands->Top().empty() ||
      (line.size() > kParserTextLimit && MayBeCut(commands->Top().front()))) {
    TakeWholeLine(record, line);
    return;
  }
  const CommandRecord first = commands->Top().front();
  record.code = first.code;
  record.args.assign(first.args.size(), std::string());
  for (size_t i = 0; i < first.args.size(); ++i) record.args[i] = first.args[i];
  record.options = first.Options();
  record.condition = first.condition;
}

void ShowRecordInDialog(const Tcmdrec& record, CommandDialogModel& dialog) {
  if (record.args.size() == 1 && record.args[0].size() > kParserTextLimit) {
    ShowLongLine(record.args[0], dialog);
  } else {
    if (!record.args.empty()) dialog.Prog = record.args[0];
    dialog.Args = QuotedArguments(record.args);
  }
  dialog.WaitOpt = record.HasOption(kOptWait);
  dialog.WarnOpt = record.HasOption(kOptWarn);
  dialog.IgnoreOpt = record.HasOption(kOptIgnore);
  dialog.WindowMode = WindowModeOption::Normal;
  for (const auto& [code, mode] : kWindowModeOrder)
    if (record.HasOption(code)) dialog.WindowMode = mode;
}

std::string LineFromDialog(const CommandDialogModel& dialog, Tcmdrec& record) {
  record.options.clear();
  const std::string& p = dialog.Prog;
  // With no command word the line is the argument text as typed.
  if (p.empty()) return dialog.Args;
  if (IsCommentOrFileCall(p.front())) return p.size() == 1 ? p + dialog.Args : p + ' ' + dialog.Args;
  for (const OptionControl& control : kOptionControls)
    if (control.isOn(dialog)) record.options.push_back(control.code);
  return CommandWord(p) + OptionText(record) + ' ' + dialog.Args;
}

bool EditCmdRec(Tcmdrec& record, CommandDialogHost& host) {
  CommandDialogModel dialog;
  ShowRecordInDialog(record, dialog);
  dialog.OnActivate();
  if (!host.ShowModal(dialog)) return false;
  record.code = kCmdProgram;
  record.args.clear();
  const std::string line = LineFromDialog(dialog, record);
  record.args = {line};
  return true;
}

}  // namespace tolm
