// Text helpers shared by the interpreter, the languages and the services.
// Texts are byte strings: no character-set conversion happens anywhere here.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace tolm {

// Drops blanks, tabs, CRs and LFs at the start, and those plus NUL at the end.
std::string TrimBlanks(std::string_view text);

// Replaces every occurrence of find; the inserted text is never searched again.
// An empty find leaves the text unchanged.
std::string ReplaceAll(std::string_view text, std::string_view find, std::string_view replacement);

struct FirstWord {
  std::string first;
  std::string rest;
};
// Splits off the first word; a word that starts with the opening quote runs to
// the first blank after its closing quote. With strip, quotes are removed from
// a quoted first word and from a rest that starts with a double quote.
FirstWord SplitFirstWord(std::string_view text, bool strip, char closingQuote, char openingQuote);

// Rebuilds the raw command line from an already split argument vector: the
// words joined by single blanks, each word that holds a blank and no double
// quote enclosed in double quotes.
std::string JoinCommandLine(int argc, const char* const* argv);
// The command line after the program's own name, trimmed.
std::string CommandTail(std::string_view rawCommandLine);
std::string CommandTail(int argc, const char* const* argv);

// The last component of a path: drive, and everything up to each "\" or "/".
std::string StripDirectory(std::string_view path);
// The text after the last blank (the whole text when it has none).
std::string AfterLastBlank(std::string_view text);
// The extension by the file-name rule: from the last "." on, unless a "\",
// "/" or ":" follows it; otherwise empty.
std::string FileExtension(std::string_view name);

// Lenient leading integer: blanks, sign, decimal or "$"/"x"/"0x" hexadecimal;
// stops at the first stray character; no digits gives 0. Saturates at the
// signed 32-bit range.
int32_t ValNumber(std::string_view text);
// Strict conversion: the whole text must be one signed 32-bit number, else
// Exception("'text' is not a valid integer value").
int32_t StrToInt(std::string_view text);
// Signed 32-bit arithmetic that throws Exception("Integer overflow").
int32_t CheckedAdd(int32_t a, int32_t b);
int32_t CheckedSub(int32_t a, int32_t b);
int32_t CheckedMul(int32_t a, int32_t b);

std::string ToUpperAscii(std::string_view text);
// A process's name as "/kill" and the process list match it: the executable's
// path in upper case, without its directory.
std::string ProcessMatchName(std::string_view path);
// The lower-case form of an ASCII letter; every other byte unchanged (texts
// are 8-bit: no locale decides what a letter is).
constexpr char LowerAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }
std::string ToLowerAscii(std::string_view text);

// Replaces each CR LF pair by a LF, for showing texts on a console.
std::string CrLfToLf(std::string_view text);

}  // namespace tolm
