#include "services/desktop/gnome/extension_status.h"

#include "services/desktop/gnome/shell_extension.h"

namespace tolm {
namespace {

bool EndsWith(const std::string& text, const std::string& tail) {
  return text.size() >= tail.size() && text.compare(text.size() - tail.size(), tail.size(), tail) == 0;
}

constexpr const char* kLogin = "log out and in again once (GNOME Shell on Wayland finds new extensions only at login)";

}  // namespace

std::string InstalledExtensionFolder(const std::string& executable, const std::string& uuid) {
  const std::string dir = executable.substr(0, executable.rfind('/'));
  std::string prefix = dir + "/..";
  for (const char* tail : {"/bin", "/lib/tolm"}) {
    if (EndsWith(dir, tail)) prefix = dir.substr(0, dir.size() - std::string(tail).size());
  }
  return prefix + "/share/gnome-shell/extensions/" + uuid;
}

std::string ExtensionUnavailableMessage(const std::string& uuid, const ExtensionStatus& status,
                                        const std::string& folder, bool folderExists, unsigned answeredVersion) {
  const std::string needed = "Window commands on GNOME need tolm32's GNOME Shell extension " + uuid;
  const std::string enable = "gnome-extensions enable " + uuid;
  if (answeredVersion != 0) {
    return needed + ", and the one GNOME Shell runs belongs to another version of tolm32 (it speaks version " +
           std::to_string(answeredVersion) + ", this tolm32 version " + std::to_string(kShellWindowsVersion) +
           "): install this tolm32 with cmake --install, then " + kLogin;
  }
  switch (status.state) {
    case ExtensionState::kUnknown:
      if (!folderExists) {
        return needed + ", which is not installed (" + folder + " is missing): install tolm32 with cmake --install, " +
               kLogin + ", then run " + enable;
      }
      return needed + ", which GNOME Shell has not found although it is installed in " + folder + ": " + kLogin +
             ", then run " + enable +
             " (GNOME Shell looks in the gnome-shell/extensions folder of ~/.local/share and of each folder in "
             "XDG_DATA_DIRS)";
    case ExtensionState::kEnabled:
      return needed + ", which is enabled but does not answer: " + kLogin;
    case ExtensionState::kError:
      return needed + ", which GNOME Shell could not start: " + status.error;
    case ExtensionState::kOutOfDate:
      return needed + ", which does not support GNOME Shell " + status.shellVersion +
             " (it is written for GNOME Shell 43 and 44)";
    case ExtensionState::kDisabled:
    case ExtensionState::kDownloading:
    case ExtensionState::kInitialized:
      break;
  }
  if (!status.userExtensionsEnabled) {
    return needed + ", and GNOME Shell has extensions switched off: run gsettings set org.gnome.shell "
                      "disable-user-extensions false, then " + enable;
  }
  return needed + ", which is not enabled: run " + enable;
}

}  // namespace tolm
