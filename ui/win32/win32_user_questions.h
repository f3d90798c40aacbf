// The editor's questions in Windows dialogs, each modal over the owner:
// "Confirm", the Open and Save dialogs, the input box and "Replace All".
#pragma once

#include <windows.h>

#include "ui/core/user_questions.h"

namespace tolm {

class Win32UserQuestions : public UserQuestions {
 public:
  void SetOwner(HWND owner) { owner_ = owner; }

  bool AskYesNo(const std::string& text) override;
  std::optional<std::string> AskOpenFileName(const FileDialogRequest& request) override;
  std::optional<std::string> AskSaveFileName(const FileDialogRequest& request) override;
  std::optional<std::string> InputBox(const std::string& caption, const std::string& prompt,
                                      const std::string& defaultText) override;
  std::optional<ReplaceStrings> AskReplaceAll() override;

 private:
  HWND owner_ = nullptr;
};

}  // namespace tolm
