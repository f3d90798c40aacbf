// The desktop's libraries come with the module tolm32-x11.so, loaded by the
// first window, key or show-mode command: runs without one never map them,
// and a desktop that cannot be had fails the command that needed it.
#include <gtest/gtest.h>

#include <filesystem>
#include <initializer_list>
#include <string>
#include <vector>

#include "support/run_tolm.h"

namespace tolm::testing {
namespace {

// Runs program with args through env, which first applies the settings
// ("-u NAME" removes a variable, "NAME=value" sets one).
RunResult RunWithEnvironment(const std::vector<std::string>& settings, const std::string& program,
                             const std::vector<std::string>& args, const std::string& dir = "") {
  std::vector<std::string> envArgs = settings;
  envArgs.push_back(program);
  envArgs.insert(envArgs.end(), args.begin(), args.end());
  return RunProgram("/usr/bin/env", envArgs, dir);
}

// The shared objects the dynamic loader mapped during a whole run, from its
// own trace (LD_DEBUG=files lists every object it loads, dlopen too).
std::string LoadedObjects(const RunResult& r) {
  std::string files;
  size_t at = 0;
  while ((at = r.err.find("file=", at)) != std::string::npos) {
    const size_t end = r.err.find_first_of(" ;\n", at);
    files += r.err.substr(at + 5, end - at - 5) + "\n";
    at = end;
  }
  return files;
}

bool MapsAnyOf(const std::string& objects, std::initializer_list<const char*> names) {
  for (const char* name : names) {
    if (objects.find(name) != std::string::npos) return true;
  }
  return false;
}

bool MapsDesktopLibraries(const std::string& objects) {
  return MapsAnyOf(objects, {"tolm32-x11.so", "tolm32-wayland.so", "tolm32-kde.so", "libX11", "libxcb", "libXtst",
                             "libXi", "libwayland", "libsystemd"});
}

bool MapsToolkit(const std::string& objects) { return MapsAnyOf(objects, {"tolm32-qt.so", "libQt6"}); }

TEST(DesktopModule, RunsWithoutWindowOrKeyCommandsNeverMapTheDesktopsLibraries) {
  TempDir dir;
  const std::string script = dir.Write("plain.tm", "/set X=1\n/if env(X) eq \"1\" {\n  /set Y=2\n}\n");
  struct Case {
    const char* name;
    std::vector<std::string> settings;
    std::vector<std::string> args;
    bool mapsDesktop;
  };
  // A display that is named but never reached: nothing may try it.
  const std::vector<std::string> display{"DISPLAY=:9999", "WAYLAND_DISPLAY=tolm-none", "LD_DEBUG=files"};
  const std::vector<std::string> console{"-u", "DISPLAY", "-u", "WAYLAND_DISPLAY", "LD_DEBUG=files"};
  const Case cases[] = {
      {"one command", console, {"--console", "/set", "X=1"}, false},
      {"a check", console, {"--check", script}, false},
      {"a script", console, {"--console", script}, false},
      {"one command in a desktop session", display, {"/set", "X=1"}, false},
      {"a check in a desktop session", display, {"--check", script}, false},
      {"a script in a desktop session", display, {script}, false},
      // The proof's own control: a window command does load them.
      {"a window command", console, {"--console", "/activate \"no such window*\""}, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    RunResult r = RunWithEnvironment(c.settings, TOLM_BINARY, c.args, dir.path());
    EXPECT_EQ(r.status, c.mapsDesktop ? 1 : 0) << "the script must run (or fail at its window command) as written";
    const std::string objects = LoadedObjects(r);
    ASSERT_NE(objects.find("libc.so"), std::string::npos) << "the loader's trace is missing:\n" << r.err;
    EXPECT_EQ(MapsDesktopLibraries(objects), c.mapsDesktop) << objects;
    EXPECT_FALSE(MapsToolkit(objects)) << objects;
  }
}

TEST(DesktopModule, WithoutADisplayTheCommandFailsWithTheDisplaysMessage) {
  struct Case {
    const char* line;
    std::vector<std::string> settings;
    const char* message;
  };
  const Case cases[] = {
      {"/activate \"x*\"", {"-u", "DISPLAY"}, "Cannot open display: window commands need an X display (DISPLAY is not set)"},
      {"/sendkeys \"a\"", {"-u", "DISPLAY"}, "Cannot open display: keystrokes need an X display (DISPLAY is not set)"},
      {"/activate \"x*\"", {"DISPLAY=:9999"},
       "Cannot open display: window commands need an X display (cannot connect to \":9999\")"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.line);
    RunResult r = RunWithEnvironment(c.settings, TOLM_BINARY, {"--console", c.line});
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err, std::string("TOLM32: ERROR: The following command: \n") + c.line +
                         "\nFailed with the following error(s):\n" + c.message + "\n");
  }
}

TEST(DesktopModule, AMissingModuleFailsTheCommandThatNeededIt) {
  TempDir dir;
  const std::string copy = CopyProgramWithoutModules(dir.path());
  const std::string script = dir.Write("keys.tm", "/set X=1\n/sendkeys \"a\"\n");
  RunResult r = RunWithEnvironment({"DISPLAY=:9999"}, copy, {"--console", script});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.err, "TOLM32: ERROR: The following command: \n@ \"" + script +
                       "\"\nFailed with the following error(s):\n"
                       "ERROR: The following command: \n/sendkeys \"a\"\nFailed with the following error(s):\n"
                       "Cannot load the desktop module: tolm32-x11.so is not in " + dir.path() + "/ nor in " +
                       dir.path() + "/" TOLM_MODULE_FOLDER "\n");
}

}  // namespace
}  // namespace tolm::testing
