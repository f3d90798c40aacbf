#include "interp/program_entry.h"

#include <exception>

#include "front/keyword_table.h"
#include "interp/interpreter_state.h"
#include "interp/runner.h"
#include "services/core/errors.h"
#include "services/core/text.h"
#include "services/seams/user_interface.h"

namespace tolm {

namespace {

// A text that starts with a command keyword ("/edit x.tm", "/pause a.tm") is
// a command line; any other text starting with "/" is an absolute path.
bool StartsWithCommandKeyword(const std::string& text) {
  return LookupKeyword(text.substr(0, text.find_first_of(" \t"))) > 0;
}

}  // namespace

std::string CommandTextForArgument(const std::string& text) {
  std::string ext = ToLowerAscii(ReplaceAll(FileExtension(text), "\"", ""));
  if (ext != ".tm" || text.empty()) return text;
  char first = text[0];
  if (first == '@' || first == '{' || (first == '/' && StartsWithCommandKeyword(text))) return text;
  if (first == '"') return "@" + text;
  return "@\"" + text + "\"";
}

int RunArgumentText(const std::string& argumentText) {
  CurrentDirectory.clear();
  int status = 0;
  try {
    if (argumentText.empty()) {
      RunCommandText("/edit");
      return 0;  // the editor's own runs show nothing more at the end
    }
    RunCommandText(CommandTextForArgument(argumentText));
  } catch (const Exception& e) {
    ShowError("TOLM32: " + e.Message());
    status = 1;
  } catch (const std::exception& e) {
    ShowError(std::string("TOLM32: ") + e.what());
    status = 1;
  }
  if (!CollectedOutput.empty()) CurrentUserInterface().ShowInfoDialog(CollectedOutput, true);
  CollectedOutput = std::string();
  return status;
}

}  // namespace tolm
