// How a program line's texts are read for a start without a shell: the
// parameter text split like a platform command line, and URLs told from names.
#include <gtest/gtest.h>

#include "services/core/argument_split.h"
#include "services/core/url_form.h"

namespace tolm {
namespace {

TEST(SplitCommandLineTest, BlanksSeparateAndQuotesGroup) {
  struct Case {
    const char* text;
    std::vector<std::string> args;
  };
  const Case cases[] = {
      {"", {}},
      {"   \t ", {}},
      {"a", {"a"}},
      {"  a   b\tc  ", {"a", "b", "c"}},
      {"\"my file.txt\" -x", {"my file.txt", "-x"}},
      {"pre\"fix mid\"post", {"prefix midpost"}},
      {"\"\" a", {"", "a"}},
      {"d\"\"e", {"de"}},
      {"\"unterminated blank", {"unterminated blank"}},
      {"'single quotes' stay", {"'single", "quotes'", "stay"}},
  };
  for (const Case& c : cases) EXPECT_EQ(SplitCommandLine(c.text), c.args) << "text: " << c.text;
}

TEST(LooksLikeUrlTest, SchemeColonFormOnly) {
  struct Case {
    const char* text;
    bool url;
  };
  const Case cases[] = {
      {"https://example.org", true}, {"file:/tmp/x", true},      {"mailto:a@b", true},
      {"svn+ssh://h/r", true},       {"c:x", false},             {"/usr/bin/a:b", false},
      {"notes.txt", false},          {"1http://x", false},       {":x", false},
      {"ab cd:x", false},            {"", false},
  };
  for (const Case& c : cases) EXPECT_EQ(LooksLikeUrl(c.text), c.url) << "text: " << c.text;
}

}  // namespace
}  // namespace tolm
