// The references a user reads beside the program cannot fall behind it:
// every command, option and operator of the keyword table, and every key
// name of "/sendkeys", stands in the man page, and every keyword in the Vim
// and VS Code grammars.
#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <sstream>
#include <string>

#include "front/keyword_table.h"
#include "services/core/key_translation.h"

namespace tolm {
namespace {

std::string SourceFile(const std::string& relative) {
  std::ifstream in(std::string(TOLM_TEST_DATA) + "/../" + relative, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

std::string EscapeForRegex(std::string_view text) {
  static const std::string kSpecial = R"(\^$.|?*+()[]{}/)";
  std::string escaped;
  for (char c : text) {
    if (kSpecial.find(c) != std::string::npos) escaped += '\\';
    escaped += c;
  }
  return escaped;
}

// The word stands on its own: no letter or digit touches it on either side.
bool HasWord(const std::string& text, std::string_view word) {
  return std::regex_search(text, std::regex("(^|[^A-Za-z0-9])" + EscapeForRegex(word) + "($|[^A-Za-z0-9])"));
}

std::vector<std::string_view> Keywords() {
  std::vector<std::string_view> names;
  for (int row = 1; row <= kKeywordSearchRows; ++row) names.push_back(KeywordRow(row).Name);
  return names;
}

TEST(References, TheManPageNamesEveryKeywordAndKeyName) {
  const std::string page = SourceFile("docs/tolm32.1.scd");
  ASSERT_FALSE(page.empty()) << "docs/tolm32.1.scd cannot be read";
  for (std::string_view keyword : Keywords()) EXPECT_TRUE(HasWord(page, keyword)) << keyword;
  const std::vector<std::string_view> keys = KeyNames();
  ASSERT_EQ(keys.size(), 43u);
  for (std::string_view key : keys) EXPECT_TRUE(HasWord(page, key)) << key;
}

TEST(References, TheEditorGrammarsKnowEveryKeyword) {
  // Written there without the leading "/", as alternatives of a pattern.
  for (const char* grammar : {"editors/vim/syntax/tolm.vim", "editors/vscode/syntaxes/tolm.tmLanguage.json"}) {
    const std::string text = SourceFile(grammar);
    ASSERT_FALSE(text.empty()) << grammar << " cannot be read";
    for (std::string_view keyword : Keywords()) {
      if (keyword[0] == '/') keyword.remove_prefix(1);
      EXPECT_TRUE(HasWord(text, keyword)) << grammar << ": " << keyword;
    }
    for (std::string_view key : KeyNames())
      EXPECT_TRUE(HasWord(text, key.substr(1, key.size() - 2))) << grammar << ": " << key;
  }
}

}  // namespace
}  // namespace tolm
