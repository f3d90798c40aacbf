// The system's Open and Save dialogs (GetOpenFileNameA, GetSaveFileNameA)
// set up from a FileDialogRequest.
#pragma once

#include <windows.h>

#include <commdlg.h>

#include <optional>
#include <string>

#include "ui/core/user_questions.h"

namespace tolm {

// "Tolm Files (*.tm)|*.TM" as the system wants it: each text and pattern
// ended by a NUL, the whole list by a second one.
std::string SystemFilter(const std::string& filter);

// What the request asks of the dialog, as OPENFILENAMEA flags.
DWORD FileDialogFlags(const FileDialogRequest& request);

// The default extension without its leading dot ("TM" for ".TM").
std::string SystemDefaultExtension(const std::string& extension);

// The chosen file's full name, or nothing when cancelled.
std::optional<std::string> AskOpenFile(HWND owner, const FileDialogRequest& request);
std::optional<std::string> AskSaveFile(HWND owner, const FileDialogRequest& request);

}  // namespace tolm
