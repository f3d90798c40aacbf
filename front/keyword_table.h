// The command language's reserved words: one constant table of 35 rows
// (row 35 is an empty placeholder), sorted by name.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tolm {

struct TKwRec {
  std::string_view Name;  // lower case, exactly as matched
  int32_t Code;           // token code 257..287
  bool SingleArgument;    // the rest of the line is one argument text
  bool InCommandList;     // offered in the command dialog
  std::string_view Caption1;
  std::string_view Caption2;
};

inline constexpr int kKeywordRows = 35;  // rows 1..34 are keywords, 35 is empty
inline constexpr int kKeywordSearchRows = 34;

// Row 1..35 of the table. Out-of-range rows throw Exception(kRangeCheckError).
const TKwRec& KeywordRow(int row);

// Row 1..34 whose name equals the word (ASCII letters compared case-blind), or -1.
int LookupKeyword(std::string_view word);
// First row 1..34 with the code, or -1.
int KeywordRowOfCode(int32_t code);
// The name of a row 1..35; other rows throw Exception(kRangeCheckError).
std::string KeywordName(int row);

}  // namespace tolm
