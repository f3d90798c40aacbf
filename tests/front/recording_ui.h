// A user interface that records what the parsers show, installed for the
// lifetime of the object.
#pragma once

#include <string>
#include <vector>

#include "front/parse_report.h"
#include "services/seams/user_interface.h"

namespace tolm::testing {

class RecordingUi : public UserInterface {
 public:
  RecordingUi() { SetUserInterface(this); }
  ~RecordingUi() override { SetUserInterface(nullptr); }
  void ShowInfoDialog(const std::string& text, bool endOfRun) override {
    dialogs.push_back(text);
    endOfRunFlags.push_back(endOfRun);
  }
  void ShowMessage(MessageKind, const std::string& text) override { messages.push_back(text); }
  bool AskYesNo(const std::string&) override { return false; }

  std::vector<std::string> dialogs;
  std::vector<bool> endOfRunFlags;
  std::vector<std::string> messages;
};

// The dialog text the parsers show for the given streams.
using tolm::ParseReport;

// Turns LexTrace on for a scope.
class ScopedLexTrace {
 public:
  explicit ScopedLexTrace(bool on);
  ~ScopedLexTrace();

 private:
  bool saved_;
};

}  // namespace tolm::testing
