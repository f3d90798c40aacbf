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

TEST(Processes, AProgramWhoseFileWasDeletedIsListedAndKilledByItsName) {
  TempDir dir;
  const std::string name = "tolmgone" + std::to_string(getpid());
  std::filesystem::copy_file("/bin/sleep", dir.File(name));
  std::string script =
      "\"" + dir.File(name) + "\" 30\n"
      "rm /wait \"" + dir.File(name) + "\"\n"
      "/plist\n"
      "/kill " + name + "\n"
      "/waitall\n"
      "/if errorlevel() ne 137 {\n  /pause not killed\n}\n";
  RunResult r = RunTolm({"--console", dir.Write("gone.tm", script)}, dir.path());
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.err, "");
  EXPECT_NE(("\n" + r.out).find("\nTOLMGONE" + std::to_string(getpid()) + "\n"), std::string::npos) << r.out;
}

// Waits (at most 5 s) until its parent, tolm32, has no child but itself, then
// writes how many zombies and running children the parent still has.
const char* const kChildCensus =
    "#!/bin/sh\n"
    "end=$(( $(date +%s) + 5 ))\n"
    "while :; do\n"
    "  zombies=0; running=0\n"
    "  for stat in /proc/[0-9]*/stat; do\n"
    "    { read -r line < \"$stat\"; } 2>/dev/null || continue  # it may have ended meanwhile\n"
    "    set -- ${line##*\")\" }\n"
    "    [ \"$2\" = \"$PPID\" ] && [ \"$stat\" != \"/proc/$$/stat\" ] || continue\n"
    "    if [ \"$1\" = Z ]; then zombies=$((zombies + 1)); else running=$((running + 1)); fi\n"
    "  done\n"
    "  if [ $((zombies + running)) -eq 0 ] || [ \"$(date +%s)\" -ge $end ]; then\n"
    "    echo \"$zombies zombies, $running running\" > census.txt\n"
    "    exit 0\n"
    "  fi\n"
    "  sleep 0.02\n"
    "done\n";

TEST(Processes, ProgramsStartedInALoopAreCollectedAsTheyEndAndWaitAllFoldsTheirStatuses) {
  TempDir dir;
  std::string census = dir.Write("census.sh", kChildCensus);
  chmod(census.c_str(), 0755);
  std::string script =
      "/set N=0\n"
      "/do {\n"
      "  /set N=env(N) + 1\n"
      "  sh \"-c\" \"exit $(($0 % 7))\" env(N)\n"
      "} /while env(N) ne 200\n"
      "\"" + census + "\" /wait\n"
      "/waitall\n"
      "sh /wait \"-c\" \"echo $0 > folded.txt\" errorlevel()\n";
  RunResult r = RunTolm({"--console", dir.Write("loop.tm", script)}, dir.path());
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.err, "");
  EXPECT_EQ(dir.Read("census.txt"), "0 zombies, 0 running\n");
  EXPECT_EQ(dir.Read("folded.txt"), std::to_string(200 % 7) + "\n") << "the last non-zero status in start order";
}

}  // namespace
}  // namespace tolm::testing
