#include "ui/win32/file_dialogs.h"

#include <vector>

#include "services/core/errors.h"

namespace tolm {
namespace {

using FileDialogCall = BOOL(WINAPI*)(LPOPENFILENAMEA);

std::optional<std::string> AskFile(HWND owner, const FileDialogRequest& request, FileDialogCall call) {
  std::string filter = SystemFilter(request.filter);
  std::string extension = SystemDefaultExtension(request.defaultExtension);
  std::vector<char> name(MAX_PATH * 4, '\0');
  OPENFILENAMEA dialog{};
  dialog.lStructSize = sizeof dialog;
  dialog.hwndOwner = owner;
  dialog.lpstrFilter = filter.c_str();
  dialog.nFilterIndex = 1;
  dialog.lpstrFile = name.data();
  dialog.nMaxFile = static_cast<DWORD>(name.size());
  dialog.lpstrDefExt = extension.empty() ? nullptr : extension.c_str();
  dialog.Flags = FileDialogFlags(request);
  if (call(&dialog)) return std::string(name.data());
  DWORD error = CommDlgExtendedError();
  if (error != 0) throw Exception("The file dialog failed (error " + std::to_string(error) + ")");
  return std::nullopt;  // cancelled
}

}  // namespace

std::string SystemFilter(const std::string& filter) {
  std::string system = filter;
  for (char& c : system) {
    if (c == '|') c = '\0';
  }
  system.push_back('\0');
  system.push_back('\0');
  return system;
}

DWORD FileDialogFlags(const FileDialogRequest& request) {
  // The current directory is the command files' business, not the dialog's.
  DWORD flags = OFN_EXPLORER | OFN_NOCHANGEDIR;
  if (request.pathMustExist) flags |= OFN_PATHMUSTEXIST;
  if (request.fileMustExist) flags |= OFN_FILEMUSTEXIST;
  if (request.overwritePrompt) flags |= OFN_OVERWRITEPROMPT;
  if (!request.readOnly) flags |= OFN_HIDEREADONLY;
  if (request.shareAware) flags |= OFN_SHAREAWARE;
  return flags;
}

std::string SystemDefaultExtension(const std::string& extension) {
  return !extension.empty() && extension.front() == '.' ? extension.substr(1) : extension;
}

std::optional<std::string> AskOpenFile(HWND owner, const FileDialogRequest& request) {
  return AskFile(owner, request, &GetOpenFileNameA);
}

std::optional<std::string> AskSaveFile(HWND owner, const FileDialogRequest& request) {
  return AskFile(owner, request, &GetSaveFileNameA);
}

}  // namespace tolm
