#include "services/desktop/kde/kwin_script_results.h"

#include <algorithm>
#include <charconv>

#include "services/core/errors.h"
#include "services/core/utf8_codec.h"

namespace tolm {
namespace {

constexpr const char* kNotAWindowList = "KWin's window script answered with a text that is not a window list";

[[noreturn]] void Malformed() { throw Exception(kNotAWindowList); }

// A reader of the one JSON shape the list script writes: arrays of
// strings, integers and booleans, with JSON's blanks between tokens.
class JsonReader {
 public:
  explicit JsonReader(const std::string& text) : text_(text) {}

  void Expect(char c) {
    SkipBlanks();
    if (pos_ >= text_.size() || text_[pos_] != c) Malformed();
    ++pos_;
  }
  // Consumes c when it comes next.
  bool Take(char c) {
    SkipBlanks();
    if (pos_ < text_.size() && text_[pos_] == c) {
      ++pos_;
      return true;
    }
    return false;
  }
  void ExpectEnd() {
    SkipBlanks();
    if (pos_ != text_.size()) Malformed();
  }

  std::string String() {
    Expect('"');
    std::string out;
    for (;;) {
      if (pos_ >= text_.size()) Malformed();
      const char c = text_[pos_++];
      if (c == '"') return out;
      if (static_cast<unsigned char>(c) < 0x20) Malformed();
      if (c != '\\') {
        out += c;
        continue;
      }
      if (pos_ >= text_.size()) Malformed();
      const char e = text_[pos_++];
      switch (e) {
        case '"': case '\\': case '/': out += e; break;
        case 'b': out += '\b'; break;
        case 'f': out += '\f'; break;
        case 'n': out += '\n'; break;
        case 'r': out += '\r'; break;
        case 't': out += '\t'; break;
        case 'u': AppendUtf8(out, Escaped()); break;
        default: Malformed();
      }
    }
  }

  int64_t Integer() {
    SkipBlanks();
    int64_t value = 0;
    const char* begin = text_.data() + pos_;
    const auto [end, error] = std::from_chars(begin, text_.data() + text_.size(), value);
    if (error != std::errc() || end == begin) Malformed();
    pos_ += static_cast<size_t>(end - begin);
    return value;
  }

  bool Boolean() {
    SkipBlanks();
    if (text_.compare(pos_, 4, "true") == 0) {
      pos_ += 4;
      return true;
    }
    if (text_.compare(pos_, 5, "false") == 0) {
      pos_ += 5;
      return false;
    }
    Malformed();
  }

 private:
  void SkipBlanks() {
    while (pos_ < text_.size() && (text_[pos_] == ' ' || text_[pos_] == '\t' || text_[pos_] == '\n' || text_[pos_] == '\r')) {
      ++pos_;
    }
  }
  unsigned Hex4() {
    if (pos_ + 4 > text_.size()) Malformed();
    unsigned value = 0;
    const auto [end, error] = std::from_chars(text_.data() + pos_, text_.data() + pos_ + 4, value, 16);
    if (error != std::errc() || end != text_.data() + pos_ + 4) Malformed();
    pos_ += 4;
    return value;
  }
  // The character of a \u escape (the "\u" read), a surrogate pair joined;
  // a lone surrogate is U+FFFD.
  char32_t Escaped() {
    const unsigned unit = Hex4();
    if (unit < 0xD800 || unit >= 0xE000) return unit;
    if (unit >= 0xDC00 || text_.compare(pos_, 2, "\\u") != 0) return kReplacementCharacter;
    const size_t back = pos_;
    pos_ += 2;
    const unsigned low = Hex4();
    if (low < 0xDC00 || low >= 0xE000) {
      pos_ = back;
      return kReplacementCharacter;
    }
    return 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00);
  }

  const std::string& text_;
  size_t pos_ = 0;
};

KWinWindow ReadWindow(JsonReader& in) {
  KWinWindow w;
  in.Expect('[');
  w.id = in.String();
  in.Expect(',');
  w.caption = in.String();
  in.Expect(',');
  w.resourceClass = in.String();
  in.Expect(',');
  w.pid = in.Integer();
  in.Expect(',');
  w.stackingOrder = in.Integer();
  in.Expect(',');
  w.active = in.Boolean();
  in.Expect(']');
  return w;
}

}  // namespace

std::vector<KWinWindow> ParseWindowList(const std::string& text) {
  JsonReader in(text);
  std::vector<KWinWindow> windows;
  in.Expect('[');
  if (!in.Take(']')) {
    do {
      windows.push_back(ReadWindow(in));
    } while (in.Take(','));
    in.Expect(']');
  }
  in.ExpectEnd();
  return windows;
}

void OrderForSearch(std::vector<KWinWindow>& windows) {
  std::stable_sort(windows.begin(), windows.end(), [](const KWinWindow& a, const KWinWindow& b) {
    if (a.active != b.active) return a.active;
    return a.stackingOrder > b.stackingOrder;
  });
}

}  // namespace tolm
