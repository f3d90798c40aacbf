// What tolm32 tells a user whose GNOME Shell extension does not answer, for
// every state GNOME Shell reports, where it expects the extension installed,
// and that the extension's files and the program agree on its uuid and the
// version of its calls.
#include <gtest/gtest.h>

#include <regex>
#include <string>

#include "services/desktop/gnome/extension_status.h"
#include "services/desktop/gnome/shell_extension.h"
#include "support/run_tolm.h"

namespace tolm::testing {
namespace {

const std::string kNeeded = "Window commands on GNOME need tolm32's GNOME Shell extension tolm@tolm.example";
const std::string kFolder = "/opt/t/share/gnome-shell/extensions/tolm@tolm.example";
const std::string kLogin = "log out and in again once (GNOME Shell on Wayland finds new extensions only at login)";

ExtensionStatus State(ExtensionState state, bool userExtensions = true) {
  ExtensionStatus status;
  status.state = state;
  status.userExtensionsEnabled = userExtensions;
  status.error = "SyntaxError: missing ; before statement";
  status.shellVersion = "45.2";
  return status;
}

TEST(ExtensionStatus, EachStateTellsTheUserWhatToRun) {
  const struct {
    ExtensionStatus status;
    bool folderExists;
    unsigned answeredVersion;
    std::string message;
  } cases[] = {
      {State(ExtensionState::kUnknown), false, 0,
       kNeeded + ", which is not installed (" + kFolder + " is missing): install tolm32 with cmake --install, " +
           kLogin + ", then run gnome-extensions enable tolm@tolm.example"},
      {State(ExtensionState::kUnknown), true, 0,
       kNeeded + ", which GNOME Shell has not found although it is installed in " + kFolder + ": " + kLogin +
           ", then run gnome-extensions enable tolm@tolm.example (GNOME Shell looks in the gnome-shell/extensions "
           "folder of ~/.local/share and of each folder in XDG_DATA_DIRS)"},
      {State(ExtensionState::kDisabled), true, 0,
       kNeeded + ", which is not enabled: run gnome-extensions enable tolm@tolm.example"},
      {State(ExtensionState::kInitialized), true, 0,
       kNeeded + ", which is not enabled: run gnome-extensions enable tolm@tolm.example"},
      {State(ExtensionState::kDisabled, false), true, 0,
       kNeeded + ", and GNOME Shell has extensions switched off: run gsettings set org.gnome.shell "
                 "disable-user-extensions false, then gnome-extensions enable tolm@tolm.example"},
      {State(ExtensionState::kError), true, 0,
       kNeeded + ", which GNOME Shell could not start: SyntaxError: missing ; before statement"},
      {State(ExtensionState::kOutOfDate), true, 0,
       kNeeded + ", which does not support GNOME Shell 45.2 (it is written for GNOME Shell 43 and 44)"},
      {State(ExtensionState::kEnabled), true, 0, kNeeded + ", which is enabled but does not answer: " + kLogin},
      {State(ExtensionState::kEnabled), true, 7,
       kNeeded + ", and the one GNOME Shell runs belongs to another version of tolm32 (it speaks version 7, this "
                 "tolm32 version 1): install this tolm32 with cmake --install, then " + kLogin},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ExtensionUnavailableMessage(kExtensionUuid, c.status, kFolder, c.folderExists, c.answeredVersion),
              c.message);
  }
}

TEST(ExtensionStatus, TheExtensionIsExpectedInTheShareFolderOfTheProgramsPrefix) {
  const struct {
    const char* executable;
    const char* folder;
  } cases[] = {
      {"/usr/local/bin/tolm32", "/usr/local/share/gnome-shell/extensions/tolm@tolm.example"},
      {"/opt/t/lib/tolm/tolm32", "/opt/t/share/gnome-shell/extensions/tolm@tolm.example"},
      {"/home/u/build/tolm32", "/home/u/build/../share/gnome-shell/extensions/tolm@tolm.example"},
  };
  for (const auto& c : cases) EXPECT_EQ(InstalledExtensionFolder(c.executable), c.folder) << c.executable;
}

TEST(ExtensionStatus, TheExtensionsFilesNameTheUuidAndVersionTheProgramExpects) {
  const std::string metadata = ReadFileText(std::string(TOLM_GNOME_EXTENSION_DIR) + "/metadata.json");
  const std::string script = ReadFileText(std::string(TOLM_GNOME_EXTENSION_DIR) + "/extension.js");
  std::smatch uuid;
  ASSERT_TRUE(std::regex_search(metadata, uuid, std::regex("\"uuid\": \"([^\"]*)\"")));
  EXPECT_EQ(uuid[1].str(), kExtensionUuid);
  std::smatch version;
  ASSERT_TRUE(std::regex_search(script, version, std::regex("const VERSION = ([0-9]+);")));
  EXPECT_EQ(version[1].str(), std::to_string(kShellWindowsVersion));
}

}  // namespace
}  // namespace tolm::testing
