// The wildcard rule for window titles, class names and process names.
#pragma once

#include <string_view>

namespace tolm {

// Exact, case-sensitive matching with a deliberately small star syntax:
//   "*" or ""   everything
//   ABC         the text is ABC
//   ABC*        the text starts with ABC
//   *ABC        the first occurrence of ABC ends the text
//   *ABC*       the text contains ABC
//   *AB*C       the text contains ABC (the second star is dropped, one is put back at the end)
//   AB*C        the text is literally AB*C
// Only the first two stars of a pattern that starts with a star are wildcards;
// "**" matches nothing. Callers that want case-blind matching upper-case both sides.
bool MatchPattern(std::string_view text, std::string_view pattern);

}  // namespace tolm
