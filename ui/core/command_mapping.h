// Between a line of a command file and the command dialog stands a command
// record: CmdRecFromLine turns a line into a record, EditCmdRec shows the
// record in the dialog and, when the user accepts, composes the new line.
#pragma once

#include <string>

#include "front/command_record.h"
#include "ui/core/command_dialog_model.h"

namespace tolm {

// Shows the command dialog modally. The form calls the model's handlers
// (OnActivate when shown, ProgChange, ProgDropDown, btnBrowseClick) and
// closes with OK only when btnOkClick allows it. True for OK, false for
// Cancel or the close box.
class CommandDialogHost {
 public:
  virtual ~CommandDialogHost() = default;
  virtual bool ShowModal(CommandDialogModel& dialog) = 0;
};

// Fills a fresh record from one line. An empty (or blank) line gives empty
// lists; a line that parses under the source name "COMMAND" gives the first
// record's contents; any other line (one that does not parse, after the
// parser has shown its report, or a comment) becomes a program line whose
// only text is the whole line.
void CmdRecFromLine(Tcmdrec& record, const std::string& line);

// The dialog's fields for a record: Prog, Args, the option controls.
// A record holding only a line longer than 255 characters (kept whole by
// CmdRecFromLine) shows the line split so that accepting it unchanged gives
// the same line: a comment or command file call splits after its first
// character, any other line at its first blank.
void ShowRecordInDialog(const Tcmdrec& record, CommandDialogModel& dialog);

// The line the accepted dialog stands for. record.options becomes the codes
// of the option controls that are on, for program lines and internal
// commands; comments and command file calls collect none.
std::string LineFromDialog(const CommandDialogModel& dialog, Tcmdrec& record);

// Shows the record in a new dialog. On OK the record becomes a program line
// record (code 0) whose only text is the composed line, and the result is true; on Cancel the record is unchanged and the result false.
bool EditCmdRec(Tcmdrec& record, CommandDialogHost& host);

}  // namespace tolm
