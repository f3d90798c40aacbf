#include "services/core/match_pattern.h"

#include <string>

namespace tolm {

bool MatchPattern(std::string_view text, std::string_view pattern) {
  if (pattern == "*") return true;
  std::string t(text);
  std::string p(pattern);

  if (!p.empty() && p.front() == '*') {
    // A leading star turns the rest into a search: cut the text at the first
    // occurrence of what follows. A second star means "anything after it".
    p.erase(0, 1);
    const size_t second = p.find('*');
    if (second != std::string::npos) p.erase(second, 1);
    if (p.empty()) return false;  // "**": an empty search finds nothing
    const size_t at = t.find(p);
    if (at == std::string::npos) return false;
    t.erase(0, at);
    if (second != std::string::npos) p.push_back('*');
  }

  // A star as the last character (or nothing at all) makes the rest a prefix.
  const size_t star = p.find('*');
  if (p.empty() || star == p.size() - 1) {
    if (!p.empty()) p.pop_back();
    if (t.size() > p.size()) t.resize(p.size());
  }
  return t == p;
}

}  // namespace tolm
