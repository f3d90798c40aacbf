// What GNOME Shell says about our extension, and the message that tells a
// user whose extension is missing, switched off or broken exactly what to
// do. tolm32 never enables the extension itself: that is the user's choice.
#pragma once

#include <string>

namespace tolm {

// The extension's uuid, the name of its folder under
// share/gnome-shell/extensions/ (cmake --install puts it there).
inline constexpr const char* kExtensionUuid = "tolm@tolm.example";

// The states of GNOME Shell's extension system (ExtensionState in its
// extensionUtils.js); kUnknown: GNOME Shell does not list the extension.
enum class ExtensionState {
  kUnknown = 0,
  kEnabled = 1,
  kDisabled = 2,
  kError = 3,
  kOutOfDate = 4,
  kDownloading = 5,
  kInitialized = 6,
};

struct ExtensionStatus {
  ExtensionState state = ExtensionState::kUnknown;
  std::string error;                  // GNOME Shell's error, for kError
  bool userExtensionsEnabled = true;  // false: disable-user-extensions is set
  std::string shellVersion;           // "43.9"
};

// Where tolm32 installed the extension: the extension folder in the share/
// folder beside the program's bin/ (or lib/tolm/).
std::string InstalledExtensionFolder(const std::string& executable, const std::string& uuid = kExtensionUuid);

// The failure of a window command when the extension does not answer.
// folder is InstalledExtensionFolder of the program, folderExists whether it
// is there; answeredVersion the version the extension gave when it answered
// as another one (0: it did not answer at all).
std::string ExtensionUnavailableMessage(const std::string& uuid, const ExtensionStatus& status,
                                        const std::string& folder, bool folderExists, unsigned answeredVersion);

}  // namespace tolm
