#include "services/seams/environment.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdlib>

namespace tolm {
namespace {

TEST(SetEnvironmentVariable, SetsReplacesAndRefusesBadNames) {
  ASSERT_EQ(SetEnvironmentVariable("TOLM_ENV_TEST", "one"), 0);
  EXPECT_STREQ(std::getenv("TOLM_ENV_TEST"), "one");
  for (int i = 0; i < 1000; ++i) ASSERT_EQ(SetEnvironmentVariable("TOLM_ENV_TEST", std::to_string(i)), 0);
  EXPECT_STREQ(std::getenv("TOLM_ENV_TEST"), "999");
  ASSERT_EQ(SetEnvironmentVariable("TOLM_ENV_TEST", ""), 0);
  EXPECT_STREQ(std::getenv("TOLM_ENV_TEST"), "");
  EXPECT_EQ(SetEnvironmentVariable("", "x"), EINVAL);
  EXPECT_EQ(SetEnvironmentVariable("A=B", "x"), EINVAL);
  EXPECT_EQ(std::getenv("A"), nullptr);
}

}  // namespace
}  // namespace tolm
