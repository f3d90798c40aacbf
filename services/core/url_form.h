// Whether a program text is a URL to be opened by the desktop rather than a
// file name.
#pragma once

#include <string_view>

namespace tolm {

// True for "scheme:rest" where the scheme is a letter followed by at least
// one more letter, digit, "+", "-" or ".", as in https://x, file:/x and
// mailto:x. A one-letter scheme is refused so that "c:x" stays a name.
bool LooksLikeUrl(std::string_view text);

}  // namespace tolm
