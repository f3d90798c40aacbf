#include "kde_test_support.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <regex>
#include <sstream>
#include <stdexcept>
#include <string_view>
#include <vector>

#include "services/desktop/kde/kde_platform.h"
#include "services/seams/desktop.h"
#include "support/run_tolm.h"
#include "wayland_test_support.h"

namespace tolm::testing {
namespace {

std::string Home() {
  const char* home = std::getenv("HOME");
  if (home == nullptr || *home == '\0') throw std::runtime_error("HOME is not set");
  return home;
}

std::vector<std::string> DesktopEntries() {
  std::vector<std::string> entries;
  std::stringstream list(TOLM_KDE_DESKTOP_ENTRIES);
  for (std::string entry; std::getline(list, entry, '|');) entries.push_back(entry);
  return entries;
}

void Run(const std::string& program, const std::vector<std::string>& args) {
  const RunResult result = RunProgram(program, args, "", {}, 60);
  if (result.status != 0) {
    throw std::runtime_error(program + " failed (" + std::to_string(result.status) + "): " + result.err);
  }
}

// The layouts KWin reports, "us,de" (org.kde.keyboard getLayoutsList,
// through qdbus: a tool of the session, not the code under test); empty
// when KWin has a single layout (it then offers no layout service).
std::string ReportedLayouts() {
  const RunResult result = RunProgram("/usr/bin/qdbus", {"--literal", "org.kde.keyboard", "/Layouts", "getLayoutsList"});
  if (result.status != 0) return "";
  // [Argument: a(sss) {[Argument: (sss) "us", "", "English (US)"], ...}]
  static const std::regex shortName("\\(sss\\) \"([^\"]*)\"");
  std::string names;
  for (std::sregex_iterator it(result.out.begin(), result.out.end(), shortName), end; it != end; ++it) {
    names += (names.empty() ? "" : ",") + (*it)[1].str();
  }
  return names;
}

}  // namespace

bool HaveKWin() {
  // Only the private session of tools/with-kwin.sh: these tests type into
  // the focused window, which must never be one of a user's session.
  const char* marker = std::getenv("TOLM_TEST_COMPOSITOR");
  const char* display = std::getenv("WAYLAND_DISPLAY");
  const char* bus = std::getenv("DBUS_SESSION_BUS_ADDRESS");
  return marker != nullptr && std::string(marker) == "headless-kwin" && display != nullptr && *display != '\0' &&
         bus != nullptr && *bus != '\0';
}

void AuthoriseTestPrograms() {
  const std::filesystem::path folder = Home() + "/.local/share/applications";
  std::filesystem::create_directories(folder);
  bool changed = false;
  for (const std::string& entry : DesktopEntries()) {
    const std::filesystem::path target = folder / std::filesystem::path(entry).filename();
    if (ReadFileText(target) == ReadFileText(entry)) continue;
    std::filesystem::copy_file(entry, target, std::filesystem::copy_options::overwrite_existing);
    changed = true;
  }
  if (changed) Run("/usr/bin/kbuildsycoca5", {"--noincremental"});
}

void SetKeyboardLayouts(const std::string& layouts) {
  // A single layout is reported as none.
  const std::string reported = layouts.find(',') == std::string::npos ? "" : layouts;
  if (ReportedLayouts() == reported) return;
  const std::filesystem::path config = Home() + "/.config";
  std::filesystem::create_directories(config);
  std::ofstream(config / "kxkbrc") << "[Layout]\nLayoutList=" << layouts << "\nUse=true\n";
  Run("/usr/bin/dbus-send", {"--session", "--type=signal", "/Layouts", "org.kde.keyboard.reloadConfig"});
  if (!WaitUntil([&] { return ReportedLayouts() == reported; }, 5s)) {
    throw std::runtime_error("KWin did not take the layouts " + layouts + " (it reports " + ReportedLayouts() + ")");
  }
}

std::string InstalledTolm() {
  const char* prefix = std::getenv("TOLM_KDE_PREFIX");
  if (prefix == nullptr || *prefix != '/') {
    throw std::runtime_error("TOLM_KDE_PREFIX does not name the prefix tolm32 was installed to for this session "
                             "(tools/test.sh installs it and passes its share/ to tools/with-kwin.sh)");
  }
  const std::string program = std::string(prefix) + "/bin/tolm32";
  const std::string share = std::string(prefix) + "/share";
  const char* dataDirs = std::getenv("XDG_DATA_DIRS");
  if (dataDirs == nullptr || (":" + std::string(dataDirs) + ":").find(":" + share + ":") == std::string::npos) {
    throw std::runtime_error(share + " is not in the session's XDG_DATA_DIRS (TOLM_KWIN_DATA_DIRS of tools/with-kwin.sh)");
  }
  if (!std::filesystem::exists(share + "/applications/tolm32-kde.desktop")) {
    throw std::runtime_error("cmake --install did not write " + share + "/applications/tolm32-kde.desktop");
  }
  // What the installation tells a user to run; once per test process.
  static const bool built = [] {
    Run("/usr/bin/kbuildsycoca5", {});
    return true;
  }();
  (void)built;
  return program;
}

RunResult RunCommandFile(const std::string& program, const std::string& file, const std::vector<std::string>& env,
                         int timeoutSeconds) {
  // Set here: a child takes the first of two entries of one name.
  static const bool pathSet = [] {
    const std::string testwin = TOLM_WAYLAND_TESTWIN;
    const std::string path = testwin.substr(0, testwin.rfind('/')) + ":" + std::getenv("PATH");
    return setenv("PATH", path.c_str(), 1) == 0;
  }();
  if (!pathSet) throw std::runtime_error("cannot set PATH");
  const std::string path = file.find('/') == std::string::npos ? std::string(TOLM_KDE_SCRIPTS) + "/" + file : file;
  return RunProgram(program, {"--console", path}, "", env, timeoutSeconds);
}

void InstallKdeDesktop() {
  DesktopBackend desktop;
  std::string reason;
  ASSERT_TRUE(OpenKdeDesktop(desktop, reason)) << reason;
  ASSERT_NE(desktop.windows, nullptr);
  ASSERT_NE(desktop.keyboard, nullptr);
  InstallDesktop(desktop);
}

}  // namespace tolm::testing
