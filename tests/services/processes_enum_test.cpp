// GetProcess, KillProcess and CurrentProcessId on the recording fake.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <fstream>
#include <sstream>

#include "fakes/fake_process_platform.h"
#include "services/seams/debug_log.h"
#include "services/core/errors.h"
#include "services/seams/processes.h"

namespace tolm {
namespace {

using process_fakes::FakeProcessPlatform;

struct Delivered {
  uint32_t id;
  std::string name;
  bool operator==(const Delivered&) const = default;
};

std::vector<Delivered> EnumerateAll() {
  std::vector<Delivered> all;
  uint32_t id = 0;
  std::string name;
  for (int n = 1; GetProcess(n, id, name); ++n) all.push_back({id, name});
  return all;
}

TEST(GetProcessTest, DeliversEveryProcessWithItsTrimmedPath) {
  FakeProcessPlatform platform;
  platform.processes = {{1, "/sbin/init"}, {2, ""}, {300, "  /usr/bin/sleep \n"}};
  EXPECT_EQ(EnumerateAll(), (std::vector<Delivered>{{1, "/sbin/init"}, {2, ""}, {300, "/usr/bin/sleep"}}));
}

TEST(GetProcessTest, HoldsMoreThanFiveHundredProcesses) {
  FakeProcessPlatform platform;
  for (uint32_t id = 1; id <= 700; ++id) platform.processes.push_back({id, "/bin/p" + std::to_string(id)});
  std::vector<Delivered> all = EnumerateAll();
  ASSERT_EQ(all.size(), 700u);
  EXPECT_EQ(all.back(), (Delivered{700, "/bin/p700"}));
}

TEST(GetProcessTest, OnlyTheFirstCallListsAndItRestartsTheEnumeration) {
  FakeProcessPlatform platform;
  platform.processes = {{10, "/a"}, {11, "/b"}};
  uint32_t id = 0;
  std::string name;
  ASSERT_TRUE(GetProcess(1, id, name));
  platform.processes = {{20, "/c"}};  // the system changed meanwhile
  ASSERT_TRUE(GetProcess(2, id, name));
  EXPECT_EQ(id, 11u) << "later calls read the list taken at n = 1";
  EXPECT_EQ(name, "") << "the name is read when delivered; process 11 is gone";
  EXPECT_FALSE(GetProcess(3, id, name));
  EXPECT_EQ(platform.listings, 1);

  ASSERT_TRUE(GetProcess(1, id, name));
  EXPECT_EQ(id, 20u);
  EXPECT_EQ(name, "/c");
  EXPECT_FALSE(GetProcess(2, id, name));
  EXPECT_EQ(platform.listings, 2);
}

TEST(GetProcessTest, WritesItsTraceToTheDiagnosticLog) {
  FakeProcessPlatform platform;
  platform.processes = {{7, "/x"}, {8, "/y"}};
  std::string path = ::testing::TempDir() + "getprocess_trace." + std::to_string(getpid()) + ".log";
  std::remove(path.c_str());
  DebugLogPath = path;
  DebugLogEnabled = true;
  EnumerateAll();
  DebugLogEnabled = false;
  DebugLogPath = kDefaultDebugLogPath;

  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  EXPECT_EQ(text.str(),
            "in GetProcNT\r\nGetProcNT: doing EnumProcesses\r\nnProdIds = 2, maxProc=2, nbytes=8\r\n"
            "GetProcNT: assigning pid\r\nGetProcNT: exiting\r\n"
            "in GetProcNT\r\nGetProcNT: assigning pid\r\nGetProcNT: exiting\r\n"
            "in GetProcNT\r\n");
  std::remove(path.c_str());
}

TEST(KillProcessTest, AProcessAlreadyGoneIsNoFailureAndOtherFailuresNameTheStep) {
  FakeProcessPlatform platform;
  platform.killResults[5] = {KillStep::Open, ESRCH};
  platform.killResults[6] = {KillStep::Terminate, ESRCH};  // ended between opening and signalling
  platform.killResults[7] = {KillStep::Open, EMFILE};
  platform.killResults[8] = {KillStep::Terminate, EPERM};
  struct Case {
    uint32_t id;
    bool killed;
    std::string message;  // empty: no failure
  };
  const Case cases[] = {
      {4, true, ""},
      {5, false, ""},
      {6, false, ""},
      {7, false, "Function OpenProcess failed: " + SysErrorDescription(EMFILE)},
      {8, false, "Function TerminateProcess failed: " + SysErrorDescription(EPERM)},
  };
  for (const Case& c : cases) {
    std::string message;
    bool killed = false;
    try {
      killed = KillProcess(c.id);
    } catch (const Exception& e) {
      message = e.Message();
    }
    EXPECT_EQ(killed, c.killed) << "id " << c.id;
    EXPECT_EQ(message, c.message) << "id " << c.id;
  }
  EXPECT_EQ(platform.killedIds, (std::vector<uint32_t>{4, 5, 6, 7, 8}));
}

TEST(KillProcessTest, AProcessThatEndsBetweenTheListingAndTheKillIsGoneAsAsked) {
  FakeProcessPlatform platform;
  platform.processes = {{21, "/usr/bin/short"}, {22, "/usr/bin/long"}};
  platform.endAfterNameRead = {21};
  uint32_t id = 0;
  std::string name;
  ASSERT_TRUE(GetProcess(1, id, name));
  ASSERT_EQ(name, "/usr/bin/short");
  EXPECT_FALSE(KillProcess(id));
  ASSERT_TRUE(GetProcess(2, id, name));
  EXPECT_TRUE(KillProcess(id));
  EXPECT_EQ(platform.killedIds, (std::vector<uint32_t>{21, 22}));
}

TEST(CurrentProcessIdTest, ComesFromThePlatform) {
  FakeProcessPlatform platform;
  platform.currentId = 31337;
  EXPECT_EQ(CurrentProcessId(), 31337u);
}

TEST(ProcessServicesTest, WithoutABackendTheyFailClearly) {
  uint32_t id = 0;
  std::string name;
  try {
    GetProcess(1, id, name);
    FAIL() << "expected an exception";
  } catch (const Exception& e) {
    EXPECT_EQ(e.Message(), "No process service installed");
  }
}

}  // namespace
}  // namespace tolm
