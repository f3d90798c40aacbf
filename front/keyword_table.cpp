#include "front/keyword_table.h"

#include <array>
#include <stdexcept>

#include "services/core/errors.h"
#include "services/core/text.h"

namespace tolm {
namespace {

// Sorted by Name byte-wise (unsigned), a prefix before its extensions: row
// numbers are part of the records and the command dialog, so they stay.
constexpr std::array<TKwRec, kKeywordRows> kKeywords = {{
    {"/activate", 258, true, true, "Window", "name"},
    {"/cd", 259, true, true, "Directory", "pathname"},
    {"/close", 260, true, true, "Window", "name"},
    {"/do", 261, false, true, "", ""},
    {"/edit", 262, true, true, ".tm file", "pathname"},
    {"/else", 263, false, true, "", ""},
    {"/h", 276, false, false, "", ""},
    {"/hide", 276, false, false, "", ""},
    {"/i", 277, false, false, "", ""},
    {"/if", 264, false, true, "Condition", "expression"},
    {"/ignore", 277, false, false, "", ""},
    {"/kill", 265, true, true, "Program", "name"},
    {"/killwindow", 266, true, true, "Window", "name"},
    {"/max", 278, false, false, "", ""},
    {"/min", 279, false, false, "", ""},
    {"/noactivate", 280, false, false, "", ""},
    {"/pause", 267, true, true, "Message", "text"},
    {"/plist", 268, false, true, "", ""},
    {"/sendkeys", 269, true, true, "Keystrokes", "to send"},
    {"/set", 270, false, true, "variable", "= value"},
    {"/sleep", 271, false, true, "Seconds", "to sleep"},
    {"/w", 281, false, false, "", ""},
    {"/wait", 281, false, false, "", ""},
    {"/waitall", 272, false, true, "", ""},
    {"/waitclose", 273, true, true, "Window", "name"},
    {"/waitfor", 274, true, true, "Window", "name"},
    {"/warn", 282, false, false, "", ""},
    {"/while", 283, false, true, "Condition", "expression"},
    {"/wlist", 275, false, true, "", ""},
    {"@", 257, true, false, "Command", "filename"},
    {"eq", 284, false, false, "", ""},
    {"gt", 287, false, false, "", ""},
    {"lt", 286, false, false, "", ""},
    {"ne", 285, false, false, "", ""},
    {"", 0, false, false, "", ""},
}};

// Longest keyword is 11 characters; a longer word can never match.
constexpr size_t kLongestKeyword = 11;

}  // namespace

const TKwRec& KeywordRow(int row) {
  if (row < 1 || row > kKeywordRows) throw Exception(kRangeCheckError);
  return kKeywords[static_cast<size_t>(row - 1)];
}

namespace {

// An index of the rows by name length and last character (built once from
// the rows above): a word whose pair no row has is no keyword, which most
// words of a command file are, and needs no search.

constexpr size_t kBuckets = 64;
constexpr size_t kPerBucket = 4;

size_t BucketOf(size_t length, char last) {
  return (length * 2 + static_cast<unsigned char>(LowerAscii(last))) % kBuckets;  // at most 3 rows share one
}

struct KeywordIndex {
  std::array<std::array<int8_t, kPerBucket>, kBuckets> rows{};  // 0 ends a bucket's list
  KeywordIndex() {
    for (int row = 1; row <= kKeywordSearchRows; ++row) {
      std::string_view name = kKeywords[static_cast<size_t>(row - 1)].Name;
      auto& bucket = rows[BucketOf(name.size(), name.back())];
      size_t i = 0;
      while (bucket[i] != 0) ++i;  // throws below on a full bucket rather than overrun
      if (i + 1 >= kPerBucket) throw std::logic_error("keyword index bucket full");
      bucket[i] = static_cast<int8_t>(row);
    }
  }
};

}  // namespace

int LookupKeyword(std::string_view word) {
  // Quick reject first: most words of a command file share length and last
  // character with no keyword at all.
  if (word.empty() || word.size() > kLongestKeyword) return -1;
  static const KeywordIndex index;
  if (index.rows[BucketOf(word.size(), word.back())][0] == 0) return -1;
  // Binary search over rows 1..34, sorted by name (byte-wise, a prefix first).
  char lowered[kLongestKeyword];
  for (size_t i = 0; i < word.size(); ++i) lowered[i] = LowerAscii(word[i]);
  const std::string_view key(lowered, word.size());
  int low = 1, high = kKeywordSearchRows;
  while (low <= high) {
    const int middle = low + (high - low) / 2;
    const int order = key.compare(kKeywords[static_cast<size_t>(middle - 1)].Name);
    if (order == 0) return middle;
    if (order > 0)
      low = middle + 1;
    else
      high = middle - 1;
  }
  return -1;
}

int KeywordRowOfCode(int32_t code) {
  for (int row = 1; row <= kKeywordSearchRows; ++row)
    if (kKeywords[static_cast<size_t>(row - 1)].Code == code) return row;
  return -1;
}

std::string KeywordName(int row) { return std::string(KeywordRow(row).Name); }

}  // namespace tolm
