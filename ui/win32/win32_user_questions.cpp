#include "ui/win32/win32_user_questions.h"

#include "ui/win32/file_dialogs.h"
#include "ui/win32/input_box.h"
#include "ui/win32/message_boxes.h"
#include "ui/win32/replace_dialog.h"

namespace tolm {

bool Win32UserQuestions::AskYesNo(const std::string& text) { return AskYesNoBox(text); }

std::optional<std::string> Win32UserQuestions::AskOpenFileName(const FileDialogRequest& request) {
  return AskOpenFile(owner_, request);
}

std::optional<std::string> Win32UserQuestions::AskSaveFileName(const FileDialogRequest& request) {
  return AskSaveFile(owner_, request);
}

std::optional<std::string> Win32UserQuestions::InputBox(const std::string& caption, const std::string& prompt,
                                                        const std::string& defaultText) {
  return tolm::InputBox(caption, prompt, defaultText).Ask(owner_);
}

std::optional<ReplaceStrings> Win32UserQuestions::AskReplaceAll() { return ReplaceDialog().Ask(owner_); }

}  // namespace tolm
