// The program's fixed limits, named once. Each is checked where it applies
// and reported with a message of its own that names it; none is trusted.
#pragma once

#include <cstddef>

namespace tolm {

// A text that passes through the parsers of either language: a token, an
// argument, a value on the parser's stack.
inline constexpr std::size_t kMaxText = 255;
// The entries of each parser stack (states and values).
inline constexpr int kParserStackSize = 2048;
// How far a lexer may push back, and so the longest piece of input it holds.
inline constexpr int kLexerPushBackSize = 2048;
// The bytes of a window's title or class name that take part in a search.
inline constexpr std::size_t kMaxWindowText = 254;
// How deep command files may nest ("@" inside a file run by "@" ...).
inline constexpr int kMaxFileNesting = 100;

}  // namespace tolm
