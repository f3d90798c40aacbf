#include "ui/core/list_dialog_model.h"

#include <cstdint>

#include "services/core/match_pattern.h"
#include "services/seams/processes.h"
#include "services/core/text.h"
#include "services/seams/window_search.h"

namespace tolm {
namespace {

void ListWindowTitles(const std::string& filter, std::vector<std::string>& items) {
  if (FindWindowByTitle(filter) == kNoWindow) return;
  const std::vector<std::string>& titles = FoundTitles();
  for (int i = 0; i < FoundCount(); ++i) items.push_back(titles[static_cast<size_t>(i)]);
}

// Names in upper case without their directory, in the order of enumeration,
// once per running copy; processes whose name cannot be read are left out.
void ListProcessNames(const std::string& filter, std::vector<std::string>& items) {
  uint32_t id = 0;
  std::string path;
  for (int n = 1; GetProcess(n, id, path); ++n) {
    if (path.empty()) continue;
    std::string name = ProcessMatchName(path);
    if (MatchPattern(name, filter)) items.push_back(std::move(name));
  }
}

}  // namespace

void ListDialogModel::Button2Click() {
  Filter = "*";
  Refresh();
}

void ListDialogModel::Button3Click(UserQuestions& questions) {
  std::string text = questions.InputBox("Enter find string", "Please Enter string to find", "").value_or("");
  Filter = WindowMode ? text : ToUpperAscii(text);
  if (!Filter.empty()) Filter = "*" + Filter + "*";
  Refresh();
}

void ListDialogModel::Refresh() {
  Items.clear();
  if (WindowMode) {
    Caption = "List of windows";
    ListWindowTitles(Filter, Items);
  } else {
    Caption = "List of running processes";
    ListProcessNames(Filter, Items);
  }
}

}  // namespace tolm
