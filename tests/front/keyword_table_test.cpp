#include "front/keyword_table.h"

#include <gtest/gtest.h>

#include "services/core/errors.h"

namespace tolm {
namespace {

TEST(KeywordTable, RowsAreSortedForTheBinarySearch) {
  for (int row = 1; row < kKeywordSearchRows; ++row)
    EXPECT_LT(KeywordRow(row).Name, KeywordRow(row + 1).Name) << "row " << row;
}

TEST(KeywordTable, EveryKeywordIsFoundAtItsOwnRow) {
  for (int row = 1; row <= kKeywordSearchRows; ++row) EXPECT_EQ(LookupKeyword(KeywordRow(row).Name), row);
}

TEST(KeywordTable, LookupIsCaseBlindAndWholeWord) {
  const struct {
    const char* word;
    int row;
  } cases[] = {
      {"/WAIT", 23}, {"/Wait", 23}, {"/wait", 23}, {"EQ", 31}, {"/w", 22}, {"/waitx", -1},
      {"/wai", -1},  {"", -1},      {"@", 30},     {"ne", 34}, {"/H", 7},  {"/waitallx", -1},
      {"/ÄCTIVATE", -1},
  };
  for (const auto& c : cases) EXPECT_EQ(LookupKeyword(c.word), c.row) << c.word;
  EXPECT_EQ(KeywordRow(22).Code, 281);
  EXPECT_EQ(KeywordRow(23).Code, 281);
}

TEST(KeywordTable, RowOfCodeFindsTheFirstRow) {
  EXPECT_EQ(KeywordRowOfCode(261), 4);
  EXPECT_EQ(KeywordRowOfCode(257), 30);
  EXPECT_EQ(KeywordRowOfCode(0), -1);
  EXPECT_EQ(KeywordRowOfCode(276), 7);
  for (int32_t code = 257; code <= 275; ++code) EXPECT_EQ(KeywordRow(KeywordRowOfCode(code)).Code, code);
}

TEST(KeywordTable, NameOfRowChecksTheRange) {
  EXPECT_EQ(KeywordName(1), "/activate");
  EXPECT_EQ(KeywordName(35), "");
  for (int row : {0, 36, -1}) {
    try {
      KeywordName(row);
      ADD_FAILURE() << "row " << row << " accepted";
    } catch (const Exception& e) {
      EXPECT_EQ(e.Message(), "Range check error");
    }
  }
}

}  // namespace
}  // namespace tolm
