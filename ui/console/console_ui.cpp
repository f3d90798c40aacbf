#include "ui/console/console_ui.h"

#include <cstdio>
#include <string>

#include "services/core/errors.h"
#include "services/core/match_pattern.h"
#include "services/seams/processes.h"
#include "services/core/text.h"
#include "services/seams/window_search.h"
#include "services/seams/console_input.h"

namespace tolm {
namespace {

// Writes a text as its dialog would show it, ending it with a line feed.
void WriteText(std::FILE* stream, const std::string& text) {
  std::string shown = CrLfToLf(text);
  if (shown.empty() || shown.back() != '\n') shown += '\n';
  std::fwrite(shown.data(), 1, shown.size(), stream);
  std::fflush(stream);
}

void PrintProcessNames() {
  uint32_t id = 0;
  std::string path;
  for (int n = 1; GetProcess(n, id, path); ++n) {
    if (path.empty()) continue;
    std::string name = ProcessMatchName(path);
    std::printf("%s\n", name.c_str());
  }
}

void PrintWindowTitles() {
  if (FindWindowByTitle("*") == kNoWindow) return;
  const auto& titles = FoundTitles();
  for (int i = 0; i < FoundCount(); ++i) std::printf("%s\n", titles[static_cast<size_t>(i)].c_str());
}

}  // namespace

void ConsoleUserInterface::ShowInfoDialog(const std::string& text, bool endOfRun) {
  WriteText(endOfRun ? stdout : stderr, text);
}

void ConsoleUserInterface::ShowMessage(MessageKind, const std::string& text) { WriteText(stderr, text); }

bool ConsoleUserInterface::AskYesNo(const std::string& text) {
  if (!StandardInputIsTerminal()) return false;
  std::fprintf(stderr, "%s [y/N] ", CrLfToLf(text).c_str());
  std::fflush(stderr);
  std::string answer;
  return ReadAnswerLine(answer) && !answer.empty() && (answer[0] == 'y' || answer[0] == 'Y');
}

void ConsoleUserInterface::Pause(const std::string& text) {
  WriteText(stderr, text);
  if (!StandardInputIsTerminal()) return;
  std::fprintf(stderr, "Press Enter to continue...");
  std::fflush(stderr);
  std::string ignored;
  ReadAnswerLine(ignored);
}

void ConsoleUserInterface::ShowListDialog(bool windowMode) {
  if (windowMode)
    PrintWindowTitles();
  else
    PrintProcessNames();
  std::fflush(stdout);
}

void ConsoleUserInterface::EditCommandFile(const std::string&) {
  throw Exception("/edit needs a display: the command file editor is not available in console mode");
}

}  // namespace tolm
