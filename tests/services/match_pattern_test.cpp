#include "services/core/match_pattern.h"

#include <gtest/gtest.h>

namespace tolm {
namespace {

struct MatchCase {
  const char* text;
  const char* pattern;
  bool expected;
};

void PrintTo(const MatchCase& c, std::ostream* os) { *os << "'" << c.text << "' ~ '" << c.pattern << "'"; }

class MatchPatternTest : public ::testing::TestWithParam<MatchCase> {};

TEST_P(MatchPatternTest, Matches) {
  const MatchCase& c = GetParam();
  EXPECT_EQ(MatchPattern(c.text, c.pattern), c.expected)
      << "text '" << c.text << "' pattern '" << c.pattern << "'";
}

INSTANTIATE_TEST_SUITE_P(
    Forms, MatchPatternTest,
    ::testing::Values(
        // "*" and the empty pattern match everything, the empty text included.
        MatchCase{"Report - Editor", "*", true}, MatchCase{"", "*", true},
        MatchCase{"Report - Editor", "", true}, MatchCase{"", "", true},
        // No star: the whole text, case counts.
        MatchCase{"Report - Editor", "Report - Editor", true},
        MatchCase{"Report - Editor", "Report", false}, MatchCase{"abc", "ABC", false},
        MatchCase{"", "a", false},
        // Trailing star: prefix.
        MatchCase{"Report - Editor", "Report*", true}, MatchCase{"ab", "abc*", false},
        MatchCase{"abc", "abc*", true}, MatchCase{"Report", "report*", false},
        // Leading star: the first occurrence must end the text.
        MatchCase{"Report - Editor", "*Editor", true},
        MatchCase{"Editor - Editor", "*Editor", false},
        MatchCase{"Report - Editor", "*r", false}, MatchCase{"Report - Editor", "*xyz", false},
        // Stars at both ends: contains.
        MatchCase{"Report - Editor", "*port*", true}, MatchCase{"Report - Editor", "*Port*", false},
        MatchCase{"Report - Editor", "*Report - Editor*", true},
        MatchCase{"port", "*port*", true},
        // *AB*C: contains ABC (the inner star is dropped).
        MatchCase{"Report - Editor", "*Edi*tor", true},
        MatchCase{"Report - Editor", "*Edi*tox", false},
        MatchCase{"Editor and more", "*Edi*tor", true},
        // A star inside a pattern that does not start with one is literal.
        MatchCase{"Report - Editor", "Rep*Editor", false}, MatchCase{"Rep*Editor", "Rep*Editor", true},
        // "**" matches nothing, not even the empty text.
        MatchCase{"Report - Editor", "**", false}, MatchCase{"", "**", false},
        // A third star is an ordinary character.
        MatchCase{"xA*y", "*A**", false}, MatchCase{"xA**", "*A**", true},
        // Leading star with the text shorter than the search.
        MatchCase{"ab", "*abc", false}, MatchCase{"", "*a", false}));

}  // namespace
}  // namespace tolm
