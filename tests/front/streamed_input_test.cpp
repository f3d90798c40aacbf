// Input pulled from a source piece by piece: wherever the pieces end, the
// lines, the tokens, the line and column counters and the limits are those
// of the same text read in one piece.
#include <gtest/gtest.h>

#include <functional>

#include "front/command_lexer.h"
#include "front/command_parser.h"
#include "front/input_buffer.h"
#include "front/recording_ui.h"
#include "services/core/errors.h"

namespace tolm {
namespace {

// Hands out the text at most `piece` bytes per read and records the size
// of every read it was asked for; after `growAfter` reads it appends `more`
// to the text, as a file does that another program extends while it is read.
class PieceSource : public TextSource {
 public:
  PieceSource(std::string text, size_t piece, size_t growAfter = 0, std::string more = "")
      : text_(std::move(text)), piece_(piece), growAfter_(growAfter), more_(std::move(more)) {}
  size_t Read(char* buffer, size_t capacity) override {
    requests.push_back(capacity);
    if (growAfter_ != 0 && requests.size() == growAfter_) text_ += more_;
    size_t n = std::min({piece_, capacity, text_.size() - pos_});
    text_.copy(buffer, n, pos_);
    pos_ += n;
    return n;
  }
  size_t RemainingHint() const override { return hint; }
  std::vector<size_t> requests;
  size_t hint = 0;  // what the source announces, true or not

 private:
  std::string text_;
  size_t piece_, pos_ = 0, growAfter_;
  std::string more_;
};

std::string LinesOf(TextSource& source) {
  InputBuffer buffer;
  buffer.Open(source);
  std::string lines;
  char* begin;
  size_t length;
  while (buffer.NextLine(begin, length)) {
    EXPECT_EQ(begin[length], '\n');
    lines += "[" + std::string(begin, length) + "]";
  }
  return lines;
}

// The line rule applied one byte at a time, as the reference: LF ends a
// line, CR LF ends it, a CR followed by any other byte keeps both in the
// line, and the end of the text ends the last line.
std::string LinesOf(std::string_view text) {
  std::string lines, line;
  bool pending = false;
  for (size_t i = 0; i < text.size(); ++i) {
    pending = true;
    if (text[i] == '\r' && i + 1 < text.size()) {
      if (text[++i] != '\n') {
        line.append({'\r', text[i]});
        continue;
      }
    } else if (text[i] != '\n') {
      line += text[i];
      continue;
    }
    lines += "[" + line + "]";
    line.clear();
    pending = false;
  }
  if (pending) lines += "[" + line + "]";
  return lines;
}

TEST(InputBuffer, LineTerminators) {
  const struct {
    const char* text;
    const char* lines;
  } cases[] = {
      {"", ""},
      {"a\nb", "[a][b]"},
      {"a\r\nb\r\n", "[a][b]"},
      {"a\rb\n", "[a\rb]"},
      {"a\r", "[a\r]"},
      {"a\r\r\n", "[a\r\r]"},
      {"a\r\r\r\n", "[a\r\r]"},
      {"\n\n", "[][]"},
      {"\r\n", "[]"},
  };
  for (const auto& c : cases) {
    MemorySource source(c.text);
    EXPECT_EQ(LinesOf(source), c.lines) << c.text;
    EXPECT_EQ(LinesOf(c.text), c.lines) << "the reference, for " << c.text;
  }
}

TEST(InputBuffer, LinesAreTheSameWhereverThePiecesEnd) {
  const std::string texts[] = {
      "", "a", "a\nb", "a\r\nb\r\n", "a\rb\n", "a\r", "a\r\r\n", "a\r\r\r\n", "\n\n", "\r\n",
      "one\r\ntwo\nthree\r\r\nfour\rfive\n\nsix",
  };
  for (const std::string& text : texts)
    for (size_t piece : {1, 2, 3, 7, 100}) {
      PieceSource source(text, piece);
      EXPECT_EQ(LinesOf(source), LinesOf(text)) << "piece " << piece << " of " << text;
    }
}

TEST(InputBuffer, LineCrossingTheChunkBoundary) {
  // The first line ends 3 bytes after the first 64 KiB, split CR | LF there.
  std::string text(InputBuffer::kChunkSize - 10, 'x');
  for (size_t i = 1000; i < text.size(); i += 1000) text[i] = '\n';
  text += std::string(9, 'y') + "\r\nlast\r\n";
  MemorySource source(text);
  EXPECT_EQ(LinesOf(source), LinesOf(text));
}

TEST(InputBuffer, LineLengthLimitHoldsAcrossPieces) {
  const struct {
    std::string text;
    bool fits;
  } cases[] = {
      {std::string(2047, 'x') + "\r\n", true},
      {std::string(2047, 'x') + "\n", true},
      {std::string(2047, 'x'), true},
      {std::string(2047, 'x') + "\r\r\n", false},  // the first CR stays in the line
      {std::string(2048, 'x') + "\n", false},
      {std::string(2048, 'x'), false},
      {std::string(5000, 'x') + "\n", false},
  };
  for (const auto& c : cases)
    for (size_t piece : {1, 1000, 4096}) {
      PieceSource source("ok\n" + c.text, piece);
      InputBuffer buffer;
      buffer.Open(source);
      char* begin;
      size_t length;
      ASSERT_TRUE(buffer.NextLine(begin, length));
      if (c.fits) {
        ASSERT_TRUE(buffer.NextLine(begin, length));
        EXPECT_EQ(length, 2047u);
        EXPECT_FALSE(buffer.NextLine(begin, length));
        continue;
      }
      try {
        buffer.NextLine(begin, length);
        ADD_FAILURE() << c.text.size() << " bytes accepted, piece " << piece;
      } catch (const LineTooLongError&) {
      }
    }
}

TEST(InputBuffer, ReadsInChunksNotTheWholeText) {
  PieceSource source(std::string(300000, 'x') + "\n", 1 << 30);
  InputBuffer buffer;
  buffer.Open(source);
  size_t lines = 0;
  char* begin;
  size_t length;
  try {
    while (buffer.NextLine(begin, length)) ++lines;
  } catch (const LineTooLongError&) {
  }
  ASSERT_FALSE(source.requests.empty());
  for (size_t r : source.requests) EXPECT_LE(r, InputBuffer::kChunkSize);
}

TEST(InputBuffer, TextThatGrowsWhileReadIsReadToItsNewEnd) {
  PieceSource source("first\nsec", 4, 3, "ond\nthird\n");
  EXPECT_EQ(LinesOf(source), "[first][second][third]");
}

TEST(InputBuffer, TextLongerThanAnnouncedIsReadToItsEnd) {
  // A short announced size takes the small buffer; the longest line must
  // still fit once more comes.
  const std::string text = "a\n" + std::string(2047, 'x') + "\r\n" + std::string(300, 'y') + "\nend";
  for (size_t piece : {1, 100, 100000}) {
    PieceSource source(text, piece);
    source.hint = 3;
    EXPECT_EQ(LinesOf(source), LinesOf(text)) << "piece " << piece;
  }
}

// Every token with its text and the counters after it.
std::string Scan(TTolmLex& lex) {
  std::string log;
  try {
    for (int code; (code = lex.yylex()) != 0;)
      log += std::to_string(code) + "(" + std::string(lex.yytext()) + ")" + std::to_string(lex.LineNo()) + ":" +
             std::to_string(lex.ColNo()) + " ";
  } catch (const LexLimitError& e) {
    log += e.Message() + " at " + std::to_string(lex.LineNo()) + ":" + std::to_string(lex.ColNo()) + " (" +
           std::string(lex.yytext()) + ")";
  } catch (const Exception& e) {
    log += e.Message();
  }
  return log;
}

TEST(StreamedLexer, TokensAndCountersDoNotDependOnThePieces) {
  const std::string word254(254, 'w');
  const std::string texts[] = {
      "/activate /warn Untitled - Notepad\r\n/set x=env(A) & \"b c\"\r\n",
      "/if a eq b {\n  c\n}\n\n  /else {\r\n d\r\n}\n/do {\n} \n /while 0\n",
      "a\n\n\n   \n{ b }\n",
      "/* comment\n over lines */\nx /* open",
      word254 + "\r\n" + word254 + "w\r\n",       // 255 characters: yytext overflow
      "a\n\n" + std::string(2047, 'x') + "\n",    // push-back onto a full buffer
      "\"" + std::string(253, 'q') + "\"\nnext",  // longest quoted text
      "x\r\ry\r\n\r\n@ f.tm a b\r",
  };
  for (const std::string& text : texts) {
    std::string out, err;
    TTolmLex whole;
    whole.Open(text, "t.tm", out, err);
    const std::string expected = Scan(whole);
    for (size_t piece : {1, 2, 5}) {
      PieceSource source(text, piece);
      TTolmLex streamed;
      streamed.Open(source, "t.tm", out, err);
      EXPECT_EQ(Scan(streamed), expected) << "piece " << piece << " of " << text.substr(0, 60);
    }
  }
}

TEST(StreamedLexer, ErrorReportAfterTheFirstChunkCountsEveryLine) {
  std::string text;
  while (text.size() < 3 * InputBuffer::kChunkSize) text += "/sleep 1\r\n";
  const size_t lines = text.size() / 10;
  text += "/activate\r\nnext\r\n";  // the report comes once the first byte of "next" is read
  testing::RecordingUi ui;
  MemorySource source(text);
  EXPECT_FALSE(TTolmYacc().Check(source, "big.tm"));
  ASSERT_EQ(ui.dialogs.size(), 1u);
  EXPECT_EQ(ui.dialogs[0], testing::ParseReport("", "Line " + std::to_string(lines + 2) +
                                                        " Col 1 in file \"big.tm\"\r\nstring expected at \n\r\n"));
}

}  // namespace
}  // namespace tolm
