// UTF-8 in both directions, for texts passed between our program and other
// programs (KWin's scripts, where window captions may hold any character)
// and for naming the characters a keyboard cannot type.
#pragma once

#include <string>
#include <string_view>

namespace tolm {

inline constexpr char32_t kReplacementCharacter = 0xFFFD;

// Decodes the character at text[pos] and moves pos past it. A byte that
// starts no valid sequence (a stray continuation, an overlong form, a
// surrogate, beyond U+10FFFF, cut short) gives U+FFFD and moves one byte on.
char32_t NextUtf8(std::string_view text, size_t& pos);

// Appends the UTF-8 form of a character; a surrogate or a value beyond
// U+10FFFF is appended as U+FFFD.
void AppendUtf8(std::string& out, char32_t character);

}  // namespace tolm
