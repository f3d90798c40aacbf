// Choosing the desktop module of a session from the table of candidates, with
// a recording opener in place of the loader.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "services/seams/debug_log.h"
#include "services/modules/desktop_modules.h"
#include "services/core/errors.h"

namespace tolm {
namespace {

// Opens the candidates named in opens (keyed by module file) and records every try.
class RecordingOpener : public DesktopModuleOpener {
 public:
  std::set<std::string> opens;          // modules that open
  std::map<std::string, std::string> reasons;  // why the others do not
  std::vector<std::string> tried;

  bool Open(const DesktopCandidate& candidate, DesktopBackend& out, std::string& reason) override {
    tried.push_back(candidate.moduleFile);
    if (opens.count(candidate.moduleFile) == 0) {
      reason = reasons[candidate.moduleFile];
      return false;
    }
    out.windows = reinterpret_cast<WindowSystem*>(Marker(candidate.moduleFile));
    return true;
  }

  // A distinct address per module, to tell which one's services came back.
  static std::uintptr_t Marker(const std::string& file) {
    return file == "tolm32-x11.so" ? 0x10 : file == "tolm32-kde.so" ? 0x30 : 0x20;
  }
};

// The process environment is not touched: each case has its own.
std::map<std::string, std::string>& Environment() {
  static std::map<std::string, std::string> variables;
  return variables;
}
const char* Lookup(const char* name) {
  auto it = Environment().find(name);
  return it == Environment().end() ? nullptr : it->second.c_str();
}

class DesktopSelectionTest : public ::testing::Test {
 protected:
  void SetUp() override {
    Environment().clear();
    DebugLogPath = path_;
    DebugLogEnabled = true;
  }
  void TearDown() override {
    DebugLogEnabled = false;
    DebugLogPath = kDefaultDebugLogPath;
    std::remove(path_.c_str());
    Environment().clear();
  }
  std::string Log() const {
    std::ifstream in(path_, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
  }

  std::string path_ = ::testing::TempDir() + "desktop_selection_test." + std::to_string(getpid()) + ".log";
};

constexpr DesktopCandidate kWayland{"Wayland", "tolm32-wayland.so", "WAYLAND_DISPLAY"};
constexpr DesktopCandidate kX11{"X11", "tolm32-x11.so", "DISPLAY"};
constexpr DesktopCandidate kBoth[] = {kWayland, kX11};
constexpr DesktopCandidate kKde{"KDE", "tolm32-kde.so", "WAYLAND_DISPLAY", "KDE"};
constexpr DesktopCandidate kThree[] = {kKde, kWayland, kX11};
constexpr const char* kKWinMissing = "KWin is not on the session bus (the name org.kde.KWin has no owner)";
constexpr const char* kProtocolsMissing =
    "the compositor \"wayland-0\" does not offer zwlr_foreign_toplevel_manager_v1";

TEST_F(DesktopSelectionTest, TheSessionsModuleIfItOpensOtherwiseTheFallback) {
  const std::string waylandMissing = "tolm32-wayland.so is not in /p/ nor in /p/../lib/tolm/";
  struct Case {
    const char* name;
    std::map<std::string, std::string> environment;
    std::set<std::string> opens;
    std::vector<std::string> tried;
    std::string chosen;
    std::string log;
  };
  const std::string fallbackNote =
      "Wayland session (WAYLAND_DISPLAY is set), but its desktop module cannot be used (" + waylandMissing +
      "): using X11, so windows of native Wayland programs are out of reach\r\n";
  const Case cases[] = {
      {"X11 session", {{"DISPLAY", ":0"}}, {"tolm32-x11.so", "tolm32-wayland.so"},
       {"tolm32-x11.so"}, "tolm32-x11.so", "Desktop: X11 (DISPLAY is set)\r\n"},
      {"Wayland session with its module", {{"WAYLAND_DISPLAY", "wayland-0"}, {"DISPLAY", ":0"}},
       {"tolm32-x11.so", "tolm32-wayland.so"}, {"tolm32-wayland.so"}, "tolm32-wayland.so",
       "Desktop: Wayland (WAYLAND_DISPLAY is set)\r\n"},
      {"Wayland session without its module", {{"WAYLAND_DISPLAY", "wayland-0"}, {"DISPLAY", ":0"}},
       {"tolm32-x11.so"}, {"tolm32-wayland.so", "tolm32-x11.so"}, "tolm32-x11.so", fallbackNote},
      {"empty WAYLAND_DISPLAY is no Wayland session", {{"WAYLAND_DISPLAY", ""}, {"DISPLAY", ":0"}},
       {"tolm32-x11.so", "tolm32-wayland.so"}, {"tolm32-x11.so"}, "tolm32-x11.so",
       "Desktop: X11 (DISPLAY is set)\r\n"},
      {"no display at all: the fallback reports it", {}, {"tolm32-x11.so", "tolm32-wayland.so"},
       {"tolm32-x11.so"}, "tolm32-x11.so", "Desktop: X11\r\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Environment() = c.environment;
    std::remove(path_.c_str());
    RecordingOpener opener;
    opener.opens = c.opens;
    opener.reasons["tolm32-wayland.so"] = waylandMissing;
    DesktopBackend backend = SelectDesktop(kBoth, Lookup, opener);
    EXPECT_EQ(opener.tried, c.tried);
    EXPECT_EQ(reinterpret_cast<std::uintptr_t>(backend.windows), RecordingOpener::Marker(c.chosen));
    EXPECT_EQ(Log(), c.log);
  }
}

TEST_F(DesktopSelectionTest, ASessionWhoseDesktopCannotBeUsedAndNoFallbackSaysWhyForEach) {
  Environment() = {{"WAYLAND_DISPLAY", "wayland-0"}};
  RecordingOpener opener;
  opener.opens = {"tolm32-x11.so"};
  opener.reasons["tolm32-wayland.so"] = "the compositor \"wayland-0\" does not offer zwlr_foreign_toplevel_manager_v1";
  try {
    SelectDesktop(kBoth, Lookup, opener);
    FAIL() << "no desktop should have opened";
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(),
              "Cannot reach the windows of this session: Wayland: the compositor \"wayland-0\" does not offer "
              "zwlr_foreign_toplevel_manager_v1; X11: DISPLAY is not set");
  }
  EXPECT_EQ(opener.tried, std::vector<std::string>{"tolm32-wayland.so"}) << "the fallback could not serve anyway";
}

// A desktop that shares WAYLAND_DISPLAY with others (KDE before the wlroots
// one) is chosen where it opens; where it declines, it is mentioned only in a
// session XDG_CURRENT_DESKTOP names it in.
TEST_F(DesktopSelectionTest, ADesktopOfTheCurrentDesktopsNameIsReportedOnlyInItsOwnSession) {
  struct Case {
    const char* name;
    std::map<std::string, std::string> environment;
    std::set<std::string> opens;
    std::vector<std::string> tried;
    std::string chosen;
    std::string log;
  };
  const std::map<std::string, std::string> kwin{{"WAYLAND_DISPLAY", "wayland-0"}, {"XDG_CURRENT_DESKTOP", "KDE"}};
  const std::string kdeNote = std::string("KDE session (WAYLAND_DISPLAY is set), but its desktop module cannot be used (") +
                              kKWinMissing + "): using X11, so windows of native KDE programs are out of reach\r\n";
  const std::string waylandNote = std::string("Wayland session (WAYLAND_DISPLAY is set), but its desktop module cannot ") +
                                  "be used (" + kProtocolsMissing +
                                  "): using X11, so windows of native Wayland programs are out of reach\r\n";
  const std::set<std::string> all{"tolm32-kde.so", "tolm32-wayland.so", "tolm32-x11.so"};
  const std::set<std::string> noKde{"tolm32-wayland.so", "tolm32-x11.so"};
  const Case cases[] = {
      {"KWin is the compositor", kwin, all, {"tolm32-kde.so"}, "tolm32-kde.so", "Desktop: KDE (WAYLAND_DISPLAY is set)\r\n"},
      {"KWin without XDG_CURRENT_DESKTOP", {{"WAYLAND_DISPLAY", "wayland-0"}}, all, {"tolm32-kde.so"},
       "tolm32-kde.so", "Desktop: KDE (WAYLAND_DISPLAY is set)\r\n"},
      {"a wlroots session", {{"WAYLAND_DISPLAY", "wayland-0"}, {"XDG_CURRENT_DESKTOP", "sway"}}, noKde,
       {"tolm32-kde.so", "tolm32-wayland.so"}, "tolm32-wayland.so", "Desktop: Wayland (WAYLAND_DISPLAY is set)\r\n"},
      {"a KDE session whose KWin is not on the bus", kwin, noKde, {"tolm32-kde.so", "tolm32-wayland.so"},
       "tolm32-wayland.so", std::string("Desktop: Wayland (WAYLAND_DISPLAY is set), not KDE: ") + kKWinMissing + "\r\n"},
      {"KDE among the names, with an X display",
       {{"WAYLAND_DISPLAY", "wayland-0"}, {"XDG_CURRENT_DESKTOP", "X-Test:KDE"}, {"DISPLAY", ":0"}},
       {"tolm32-x11.so"}, {"tolm32-kde.so", "tolm32-wayland.so", "tolm32-x11.so"}, "tolm32-x11.so",
       kdeNote + waylandNote},
      {"a name that begins with KDE is another desktop",
       {{"WAYLAND_DISPLAY", "wayland-0"}, {"XDG_CURRENT_DESKTOP", "KDEX:GNOME"}, {"DISPLAY", ":0"}},
       {"tolm32-x11.so"}, {"tolm32-kde.so", "tolm32-wayland.so", "tolm32-x11.so"}, "tolm32-x11.so", waylandNote},
      {"an X11 session tries no Wayland desktop", {{"XDG_CURRENT_DESKTOP", "KDE"}, {"DISPLAY", ":0"}}, all,
       {"tolm32-x11.so"}, "tolm32-x11.so", "Desktop: X11 (DISPLAY is set)\r\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Environment() = c.environment;
    std::remove(path_.c_str());
    RecordingOpener opener;
    opener.opens = c.opens;
    opener.reasons["tolm32-kde.so"] = kKWinMissing;
    opener.reasons["tolm32-wayland.so"] = kProtocolsMissing;
    DesktopBackend backend = SelectDesktop(kThree, Lookup, opener);
    EXPECT_EQ(opener.tried, c.tried);
    EXPECT_EQ(reinterpret_cast<std::uintptr_t>(backend.windows), RecordingOpener::Marker(c.chosen));
    EXPECT_EQ(Log(), c.log);
  }
}

TEST_F(DesktopSelectionTest, NothingForTheWindowsOfAWaylandSessionNamesWhatEachDesktopLacks) {
  const struct {
    const char* currentDesktop;
    std::string message;
  } cases[] = {
      {"KDE", std::string("Cannot reach the windows of this session: KDE: ") + kKWinMissing + "; Wayland: " +
                  kProtocolsMissing + "; X11: DISPLAY is not set"},
      {"sway", std::string("Cannot reach the windows of this session: Wayland: ") + kProtocolsMissing +
                   "; X11: DISPLAY is not set"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.currentDesktop);
    Environment() = {{"WAYLAND_DISPLAY", "wayland-0"}, {"XDG_CURRENT_DESKTOP", c.currentDesktop}};
    RecordingOpener opener;
    opener.opens = {"tolm32-x11.so"};
    opener.reasons["tolm32-kde.so"] = kKWinMissing;
    opener.reasons["tolm32-wayland.so"] = kProtocolsMissing;
    try {
      SelectDesktop(kThree, Lookup, opener);
      ADD_FAILURE() << "no desktop should have opened";
    } catch (const Exception& e) {
      EXPECT_EQ(e.Message(), c.message);
    }
  }
}

TEST_F(DesktopSelectionTest, AFallbackThatDoesNotOpenFailsWithItsReason) {
  Environment() = {{"WAYLAND_DISPLAY", "wayland-0"}, {"DISPLAY", ":0"}};
  RecordingOpener opener;
  opener.reasons["tolm32-wayland.so"] = "no compositor";
  opener.reasons["tolm32-x11.so"] = "tolm32-x11.so is not in /p/ nor in /p/../lib/tolm/";
  try {
    SelectDesktop(kBoth, Lookup, opener);
    FAIL() << "no desktop should have opened";
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), "Cannot load the desktop module: tolm32-x11.so is not in /p/ nor in /p/../lib/tolm/");
  }
  EXPECT_EQ(opener.tried, (std::vector<std::string>{"tolm32-wayland.so", "tolm32-x11.so"}));
  EXPECT_EQ(Log(), "") << "the note is for a fallback that serves the session";
}

}  // namespace
}  // namespace tolm
