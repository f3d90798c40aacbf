// "/plist" and "/kill" against real processes: a copy of sleep under a name
// no other process has.
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <gtest/gtest.h>

#include "support/run_tolm.h"

namespace tolm::testing {
namespace {

TEST(Processes, ListAndKillByPatternThenCollectTheStatuses) {
  TempDir dir;
  const std::string name = "tolmsleep" + std::to_string(getpid());
  std::filesystem::copy_file("/bin/sleep", dir.File(name));
  std::string script =
      "\"" + dir.File(name) + "\" 30\n"
      "\"" + dir.File(name) + "\" 30\n"
      "/plist\n"
      "/kill " + name.substr(0, 8) + "*" + "\n"
      "/waitall\n"
      "/if errorlevel() ne 137 {\n  /pause not killed\n}\n"
      "/kill /warn " + name + "\n";
  RunResult r = RunTolm({"--console", dir.Write("kill.tm", script)}, dir.path());
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.err, "/kill could not find \"" + std::string("TOLMSLEEP") + std::to_string(getpid()) +
                       "\" program running\n");
  // The list shows upper-case names without their directory, one per line.
  const std::string listed = "\nTOLMSLEEP" + std::to_string(getpid()) + "\n";
  size_t first = ("\n" + r.out).find(listed);
  ASSERT_NE(first, std::string::npos) << r.out;
  EXPECT_NE(("\n" + r.out).find(listed, first + 1), std::string::npos) << "both copies are listed";
  EXPECT_NE(("\n" + r.out).find("\nTOLM32\n"), std::string::npos) << "tolm32 lists itself";
}

}  // namespace
}  // namespace tolm::testing
