// The program's services as the host table gives them to a module: their
// failures come back as values, with the texts the program raises.
#include <gtest/gtest.h>

#include <string>

#include "services/core/errors.h"
#include "services/modules/host_table.h"
#include "services/seams/debug_log.h"
#include "services/seams/event_sources.h"

namespace tolm {
namespace {

template <typename Call>
std::string FailureText(Call call) {
  try {
    call();
  } catch (const Exception& e) {
    return e.Message();
  }
  return "(no failure)";
}

TEST(ModuleBoundary, TheHostTableHandsBackTheProgramsFailuresAsTheirMessages) {
  const HostTable& host = ProgramHostTable();
  EXPECT_EQ(host.size, sizeof(HostTable));
  const std::string path = "/nonexistent-dir/module_boundary_test.log";
  DebugLogPath = path;
  DebugLogEnabled = true;
  EXPECT_EQ(host.debugLog("a line"), "Cannot open file " + path + ": No such file or directory");
  DebugLogEnabled = false;
  DebugLogPath = kDefaultDebugLogPath;
  EXPECT_EQ(host.debugLog("a line"), "") << "a log that is off writes nothing and cannot fail";

  // A module's event callback fails as a value; the pump that calls it
  // raises it, so the wait that served it fails with its text.
  int id = 0;
  EXPECT_EQ(host.watchEventSource(5, [] { return Failure("the connection broke"); }, id), "");
  ASSERT_TRUE(IsEventSourceRegistered(id));
  for (const EventSource& source : RegisteredEventSources()) {
    if (source.id == id) {
      EXPECT_EQ(FailureText(source.onReady), "the connection broke");
    }
  }
  host.unwatchEventSource(id);
  EXPECT_FALSE(IsEventSourceRegistered(id));
}

}  // namespace
}  // namespace tolm
