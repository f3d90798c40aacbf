// The scanner runtime shared by the command lexer and the expression lexer:
// line-by-line input with push-back, the current token text, line and column
// bookkeeping, longest-match scanning over a rule automaton, start
// conditions, trace output and the runtime's limits.
#pragma once

#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "front/input_buffer.h"
#include "front/table_views.h"
#include "services/core/limits.h"
#include "services/core/text_source.h"

namespace tolm {

// Process-wide trace switch: while on, lexers write their trace lines.
extern bool LexTrace;

// A scanner limit was hit. The parser driver catches it and reports the
// message in its usual error form; it never leaves a parse.
class LexLimitError {
 public:
  explicit LexLimitError(std::string message) : message_(std::move(message)) {}
  const std::string& Message() const { return message_; }

 private:
  std::string message_;
};

class TCustomLexer {
 public:
  static constexpr int kPushBackSize = kLexerPushBackSize;
  static constexpr int kMaxTokenLength = static_cast<int>(kMaxText);
  static constexpr int kMatchStackSize = 1024;
  static constexpr int kMaxRules = 256;

  explicit TCustomLexer(const LexAutomatonView& automaton);
  virtual ~TCustomLexer() = default;
  TCustomLexer(const TCustomLexer&) = delete;
  TCustomLexer& operator=(const TCustomLexer&) = delete;

  // Next token code; 0 at the end of the input.
  virtual int yylex() = 0;

  // Prepares a new scan of input; trace and error lines go to out and err.
  // All three must outlive the scan.
  void Open(std::string_view input, const std::string& sourceName, std::string& out, std::string& err);
  // The same over a source that is read as the scan goes.
  void Open(TextSource& input, const std::string& sourceName, std::string& out, std::string& err);

  std::string_view yytext() const { return {yytext_, static_cast<size_t>(yyleng_)}; }
  int32_t LineNo() const { return lineNo_; }
  int32_t ColNo() const { return colNo_; }
  const std::string& SourceName() const { return sourceName_; }
  int32_t StartCondition() const { return startCondition_; }
  std::string& ErrorStream() { return *err_; }

  // Writes the text as one line to the output stream while LexTrace is on.
  // The switch is tested here, before any text is measured or built.
  void Trace(std::string_view text) {
    if (LexTrace) WriteTrace(text);
  }
  void Trace(const char* text) {
    if (LexTrace) WriteTrace(text);
  }

  // The next input character; NUL at the end of the input.
  char GetChar() {
    if (next_ == end_ && !ReadLine()) return 0;
    ++colNo_;
    return *next_++;
  }
  void UngetChar(char c);
  // Keeps the first n characters of yytext and pushes the rest back. What
  // was just read goes back in one step; one character at a time only when
  // the limit may be reached, so an overflow hits at the same character.
  void Less(int n) {
    const int back = yyleng_ - n;
    if (back > 0 && (end_ - next_) + back <= kPushBackSize) {
      next_ -= back;
      std::memcpy(next_, yytext_ + n, static_cast<size_t>(back));
      colNo_ -= back;
    } else if (back > 0) {
      LessOneByOne(n);
    }
    yyleng_ = n;
  }
  void Start(int32_t condition) { startCondition_ = condition; }

 protected:
  static constexpr int kNoRule = 0;
  static constexpr int kEndOfInput = -1;

  // Scans one token by longest match: the rule number whose action is due,
  // kNoRule after an unmatched character was echoed, kEndOfInput at the end.
  int MatchToken();
  // Trace of prefix + yytext + suffix, built only while tracing.
  void TraceToken(std::string_view prefix, std::string_view suffix) {
    if (LexTrace) WriteTokenTrace(prefix, suffix);
  }
  // Skips a block comment after its opening "/*", and the line feed after it.
  void SkipBlockComment();
  [[noreturn]] static void Fatal(const char* message);

 private:
  void Clear();
  void LessOneByOne(int n);
  void TakeRun(int state, const LexStep& st, char*& read, const char* lineEnd, int& taken, int& matches,
               int& rule, int& length);
  void WriteTrace(std::string_view text);
  void WriteTokenTrace(std::string_view prefix, std::string_view suffix);
  // Makes the next line the pending characters; false at the end of input.
  // A line over the length limit, and reading on at a NUL byte, are fatal.
  bool ReadLine();
  void EchoUnmatched(char c);

  const LexAutomatonView automaton_;
  MemorySource text_;  // the input of Open(text)
  InputBuffer input_;
  std::string sourceName_;
  std::string* out_ = nullptr;
  std::string* err_ = nullptr;
  int32_t lineNo_ = 0;
  int32_t colNo_ = 0;
  int32_t startCondition_ = 0;
  int32_t atLineStart_ = 1;
  char lastChar_ = 0;
  int yyleng_ = 0;
  bool nulAhead_ = false;  // the pending characters end at a NUL byte
  // The pending characters, read forward: the rest of the current line and
  // its line feed, preceded by whatever was pushed back (pushed-back
  // characters are written just in front of next_). Their count is the
  // runtime's push-back count, limited to 2048.
  char* next_ = nullptr;
  char* end_ = nullptr;
  char yytext_[kMaxTokenLength + 1] = {};
};

}  // namespace tolm
