// "/kill" on the recording process fake: which listed processes it ends.
#include "interp_fixture.h"

namespace tolm {
namespace {

using KillCommandTest = InterpTest;

TEST_F(KillCommandTest, ProcessesWithoutANameNeverMatchNotEvenStar) {
  platform.processes = {{10, "/usr/bin/sleep"}, {13, ""}, {4242, "/usr/bin/tolm32"}, {14, "/bin/bash"}};
  EXPECT_EQ(Run("/kill *"), "");
  EXPECT_EQ(platform.killedIds, (std::vector<uint32_t>{10, 14}));

  platform.killedIds.clear();
  platform.processes = {{13, ""}};
  EXPECT_EQ(Run("/kill *"), Wrapped("/kill *", "/kill could not find \"*\" program running"));
  EXPECT_EQ(Run("/kill \"\""), Wrapped("/kill \"\"", "/kill argument missing"));
  EXPECT_EQ(platform.killedIds, std::vector<uint32_t>{});
}

TEST_F(KillCommandTest, AProcessThatEndsBeforeItIsKilledCountsAsEnded) {
  platform.processes = {{30, "/usr/bin/flash"}, {31, "/usr/bin/flash"}};
  platform.endAfterNameRead = {30};
  EXPECT_EQ(Run("/kill flash"), "");
  EXPECT_EQ(platform.killedIds, (std::vector<uint32_t>{30, 31}));

  platform.killedIds.clear();
  platform.processes = {{32, "/usr/bin/flash"}};
  platform.endAfterNameRead = {32};
  EXPECT_EQ(Run("/kill flash"), "") << "the only match is gone, as asked: it was found";
  EXPECT_EQ(platform.killedIds, std::vector<uint32_t>{32});
}

}  // namespace
}  // namespace tolm
