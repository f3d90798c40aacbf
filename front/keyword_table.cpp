#include "front/keyword_table.h"

#include <array>

#include "services/errors.h"

namespace tolm {
namespace {

// Sorted by Name byte-wise (unsigned), a prefix before its extensions: the
// lookup below relies on this order.
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

// Longest keyword is 11 characters; a longer word can never match, so the
// lower-cased copy lives in a small stack buffer (no allocation per word).
constexpr size_t kLongestKeyword = 16;

}  // namespace

const TKwRec& KeywordRow(int row) {
  if (row < 1 || row > kKeywordRows) throw Exception(kRangeCheckError);
  return kKeywords[static_cast<size_t>(row - 1)];
}

// Byte-wise unsigned comparison, a proper prefix first; inline because the
// texts are a few bytes long.
static int CompareBytes(std::string_view a, std::string_view b) {
  const size_t n = a.size() < b.size() ? a.size() : b.size();
  for (size_t i = 0; i < n; ++i) {
    const auto x = static_cast<unsigned char>(a[i]), y = static_cast<unsigned char>(b[i]);
    if (x != y) return x < y ? -1 : 1;
  }
  return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

// Every keyword begins with one of these; most words of a command file do
// not, and skip the search.
static bool MayBeKeyword(std::string_view word) {
  if (word.empty() || word.size() > kLongestKeyword) return false;
  switch (word[0]) {
    case '/': case '@': case 'e': case 'E': case 'g': case 'G': case 'l': case 'L': case 'n': case 'N': return true;
    default: return false;
  }
}

int LookupKeyword(std::string_view word) {
  if (!MayBeKeyword(word)) return -1;
  char lower[kLongestKeyword];
  for (size_t i = 0; i < word.size(); ++i) {
    char c = word[i];
    lower[i] = (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
  }
  std::string_view key(lower, word.size());
  int low = 1, high = kKeywordSearchRows;
  while (low <= high) {
    int middle = low + (high - low) / 2;
    int cmp = CompareBytes(key, kKeywords[static_cast<size_t>(middle - 1)].Name);
    if (cmp == 0) return middle;
    if (cmp > 0)
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
