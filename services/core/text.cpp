#include "services/core/text.h"

#include <limits>

#include "services/core/errors.h"

namespace tolm {
namespace {

bool IsStartBlank(char c) { return c == ' ' || c == '\n' || c == '\r' || c == '\t'; }
bool IsEndBlank(char c) { return IsStartBlank(c) || c == '\0'; }

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// The number forms both conversions accept. Reads from pos; sets pos past the
// digits read and returns whether any digit was read.
struct NumberScan {
  bool negative = false;
  bool hex = false;
  bool anyDigit = false;
  bool tooBig = false;  // beyond what 32 bits can hold
  uint64_t magnitude = 0;
  size_t end = 0;
};

NumberScan ScanNumber(std::string_view t) {
  NumberScan s;
  size_t i = 0;
  while (i < t.size() && (t[i] == ' ' || t[i] == '\t')) ++i;
  if (i < t.size() && (t[i] == '+' || t[i] == '-')) s.negative = t[i++] == '-';
  if (i < t.size() && (t[i] == '$' || t[i] == 'x' || t[i] == 'X')) {
    s.hex = true;
    ++i;
  } else if (i + 1 < t.size() && t[i] == '0' && (t[i + 1] == 'x' || t[i + 1] == 'X')) {
    s.hex = true;
    i += 2;
  }
  const uint64_t limit = s.hex ? 0xFFFFFFFFull : 0x80000000ull;
  for (; i < t.size(); ++i) {
    int d = s.hex ? HexDigit(t[i]) : (t[i] >= '0' && t[i] <= '9' ? t[i] - '0' : -1);
    if (d < 0) break;
    s.anyDigit = true;
    if (!s.tooBig) {
      s.magnitude = s.magnitude * (s.hex ? 16 : 10) + static_cast<uint64_t>(d);
      if (s.magnitude > limit) s.tooBig = true;
    }
  }
  s.end = i;
  return s;
}

// The signed value of a scan that fits, as a 64-bit number.
int64_t SignedValue(const NumberScan& s) {
  int64_t v = s.hex ? static_cast<int64_t>(static_cast<int32_t>(static_cast<uint32_t>(s.magnitude)))
                    : static_cast<int64_t>(s.magnitude);
  return s.negative ? -v : v;
}

int32_t Checked(int64_t v) {
  if (v < std::numeric_limits<int32_t>::min() || v > std::numeric_limits<int32_t>::max())
    throw Exception(kIntegerOverflow);
  return static_cast<int32_t>(v);
}

}  // namespace

std::string TrimBlanks(std::string_view text) {
  size_t b = 0;
  while (b < text.size() && IsStartBlank(text[b])) ++b;
  size_t e = text.size();
  while (e > b && IsEndBlank(text[e - 1])) --e;
  return std::string(text.substr(b, e - b));
}

std::string ReplaceAll(std::string_view text, std::string_view find, std::string_view replacement) {
  if (text.empty()) return {};
  std::string r(text);
  if (find.empty()) return r;
  size_t p = r.find(find);
  while (p != std::string::npos) {
    r.replace(p, find.size(), replacement);
    p = r.find(find, p + replacement.size());
  }
  return r;
}

FirstWord SplitFirstWord(std::string_view text, bool strip, char closingQuote, char openingQuote) {
  FirstWord w;
  size_t q = text.find(openingQuote);
  size_t b = text.find(' ');
  size_t p = std::min(q, b);
  if (p == std::string_view::npos) {
    w.first = std::string(text);
  } else if (p == b) {
    w.first = std::string(text.substr(0, p));
    w.rest = std::string(text.substr(p + 1));
  } else {
    size_t c = text.find(closingQuote, p + 1);
    if (c == std::string_view::npos) c = p;
    size_t blank = text.find(' ', c);
    if (blank == std::string_view::npos) {
      w.first = std::string(text);
    } else {
      w.first = std::string(text.substr(0, blank));
      w.rest = std::string(text.substr(blank + 1));
    }
  }
  if (strip) {
    if (!w.first.empty() && w.first.front() == openingQuote)
      w.first = w.first.size() >= 2 ? w.first.substr(1, w.first.size() - 2) : std::string();
    if (!w.rest.empty() && w.rest.front() == '"')
      w.rest = w.rest.size() >= 2 ? w.rest.substr(1, w.rest.size() - 2) : std::string();
  }
  return w;
}

std::string JoinCommandLine(int argc, const char* const* argv) {
  std::string line;
  for (int i = 0; i < argc; ++i) {
    std::string_view word = argv[i];
    if (i > 0) line += ' ';
    bool quote = word.find(' ') != std::string_view::npos && word.find('"') == std::string_view::npos;
    if (quote) line += '"';
    line += word;
    if (quote) line += '"';
  }
  return line;
}

std::string CommandTail(std::string_view rawCommandLine) {
  return TrimBlanks(SplitFirstWord(rawCommandLine, true, '"', '"').rest);
}

std::string CommandTail(int argc, const char* const* argv) {
  return CommandTail(JoinCommandLine(argc, argv));
}

std::string StripDirectory(std::string_view path) {
  std::string s(path);
  if (s.size() >= 2 && s[1] == ':') s.erase(0, 2);
  for (;;) {
    size_t p = s.find('\\');
    if (p == std::string::npos) p = s.find('/');
    if (p == std::string::npos) return s;
    s.erase(0, p + 1);
  }
}

std::string AfterLastBlank(std::string_view text) {
  size_t p = text.rfind(' ');
  return std::string(p == std::string_view::npos ? text : text.substr(p + 1));
}

std::string FileExtension(std::string_view name) {
  size_t dot = name.rfind('.');
  if (dot == std::string_view::npos) return {};
  if (name.find_first_of("\\/:", dot) != std::string_view::npos) return {};
  return std::string(name.substr(dot));
}

int32_t ValNumber(std::string_view text) {
  NumberScan s = ScanNumber(text);
  if (!s.anyDigit) return 0;
  if (s.tooBig)
    return s.negative ? std::numeric_limits<int32_t>::min() : std::numeric_limits<int32_t>::max();
  int64_t v = SignedValue(s);
  if (v > std::numeric_limits<int32_t>::max()) return std::numeric_limits<int32_t>::max();
  return static_cast<int32_t>(v);
}

int32_t StrToInt(std::string_view text) {
  NumberScan s = ScanNumber(text);
  int64_t v = s.anyDigit && !s.tooBig ? SignedValue(s) : 0;
  if (!s.anyDigit || s.tooBig || s.end != text.size() || v > std::numeric_limits<int32_t>::max() ||
      v < std::numeric_limits<int32_t>::min())
    throw Exception(InvalidIntegerMessage(std::string(text)));
  return static_cast<int32_t>(v);
}

int32_t CheckedAdd(int32_t a, int32_t b) { return Checked(int64_t{a} + b); }
int32_t CheckedSub(int32_t a, int32_t b) { return Checked(int64_t{a} - b); }
int32_t CheckedMul(int32_t a, int32_t b) { return Checked(int64_t{a} * b); }

std::string ToUpperAscii(std::string_view text) {
  std::string s(text);
  for (char& c : s)
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  return s;
}

std::string ProcessMatchName(std::string_view path) {
  std::string name = ToUpperAscii(path);
  size_t slash = name.find_last_of("/\\");
  return slash == std::string::npos ? name : name.substr(slash + 1);
}

std::string ToLowerAscii(std::string_view text) {
  std::string s(text);
  for (char& c : s) c = LowerAscii(c);
  return s;
}

std::string CrLfToLf(std::string_view text) { return ReplaceAll(text, "\r\n", "\n"); }

}  // namespace tolm
