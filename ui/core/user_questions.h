// The questions the editor and its dialogs put to the user: a yes/no box,
// the file dialogs, the one-line input box and the "Replace All" dialog.
// A toolkit answers them with its own dialogs; tests answer them in advance.
// (Error and information boxes go through the UserInterface seam.)
#pragma once

#include <optional>
#include <string>

#include "ui/core/replace_all.h"

namespace tolm {

// What a file dialog is to show and check. Filter entries are "text|pattern"
// pairs joined by "|", as in "Tolm Files (*.tm)|*.TM".
struct FileDialogRequest {
  std::string filter;
  std::string defaultExtension;
  bool pathMustExist = false;
  bool fileMustExist = false;
  bool overwritePrompt = false;  // ask before replacing an existing file
  bool readOnly = false;         // offer opening read-only
  bool shareAware = false;

  friend bool operator==(const FileDialogRequest&, const FileDialogRequest&) = default;
};

class UserQuestions {
 public:
  virtual ~UserQuestions() = default;
  // A "Confirm" box with Yes and No; true for Yes.
  virtual bool AskYesNo(const std::string& text) = 0;
  // The file-open and file-save dialogs: the chosen file's full name, or
  // nothing when the user cancelled.
  virtual std::optional<std::string> AskOpenFileName(const FileDialogRequest& request) = 0;
  virtual std::optional<std::string> AskSaveFileName(const FileDialogRequest& request) = 0;
  // The one-line input box: the text entered, or nothing when cancelled.
  virtual std::optional<std::string> InputBox(const std::string& caption, const std::string& prompt,
                                              const std::string& defaultText) = 0;
  // The "Replace All" dialog: its two texts after OK, nothing after Cancel or
  // the close box.
  virtual std::optional<ReplaceStrings> AskReplaceAll() = 0;
};

}  // namespace tolm
