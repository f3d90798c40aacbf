#include "front/lexer_runtime.h"

#include <cstring>

#include "front/stream_funcs.h"
#include "services/errors.h"

namespace tolm {

bool LexTrace = false;

TCustomLexer::TCustomLexer(const LexAutomaton& automaton) : automaton_(automaton) { Clear(); }

void TCustomLexer::Open(std::string_view input, const std::string& sourceName, std::string& out,
                        std::string& err) {
  input_ = input;
  inputPos_ = 0;
  sourceName_ = sourceName;
  lineText_ = {};
  out_ = &out;
  err_ = &err;
  lineNo_ = 0;
  colNo_ = 0;
  Clear();
}

void TCustomLexer::Clear() {
  pushBackCount_ = 0;
  startCondition_ = 0;
  atLineStart_ = 1;
  lastChar_ = 0;
  yyleng_ = 0;
}

void TCustomLexer::Fatal(const char* message) { throw LexLimitError(message); }

void TCustomLexer::Trace(std::string_view text) {
  if (LexTrace) StreamWriteLine(*out_, text);
}

void TCustomLexer::TraceToken(std::string_view prefix, std::string_view suffix) {
  if (!LexTrace) return;
  std::string line(prefix);
  line.append(yytext()).append(suffix);
  StreamWriteLine(*out_, line);
}

// The line goes into the buffer reversed behind a line feed, so characters
// are taken from the top down and every line ends in a line feed.
void TCustomLexer::ReadLine() {
  lineText_ = StreamReadLine(input_, inputPos_);
  ++lineNo_;
  colNo_ = 1;
  const size_t length = lineText_.size();
  if (length + 1 > static_cast<size_t>(kPushBackSize)) throw Exception(kRangeCheckError);
  pushBack_[1] = '\n';
  for (size_t i = 0; i < length; ++i) pushBack_[length + 1 - i] = lineText_[i];
  pushBackCount_ = static_cast<int>(length) + 1;
}

void TCustomLexer::UngetChar(char c) {
  if (pushBackCount_ == kPushBackSize) Fatal("input buffer overflow (limit is 2048 characters)");
  ++pushBackCount_;
  --colNo_;
  pushBack_[pushBackCount_] = c;
}

void TCustomLexer::Less(int n) {
  for (int i = yyleng_ - 1; i >= n; --i) UngetChar(yytext_[i]);
  yyleng_ = n;
}

void TCustomLexer::EchoUnmatched(char c) {
  if (c == '\n')
    StreamWriteLine(*out_, "");
  else
    out_->push_back(c);
}

// The automaton walk: read while the current state has transitions, remember
// the latest accepting length (lowest rule on ties), then push back whatever
// was read beyond it. The read-ahead moves LineNo/ColNo just as the table
// scanner does, which error reports show.
int TCustomLexer::MatchToken() {
  if (lastChar_ != 0) atLineStart_ = lastChar_ == '\n' ? 1 : 0;
  int state = automaton_.start[static_cast<size_t>(startCondition_ + atLineStart_)];
  yyleng_ = 0;
  int rule = kNoRule, length = 0, matches = 0;
  for (;;) {
    const LexAutomaton::State& st = automaton_.states[static_cast<size_t>(state)];
    if (st.highestRule > kMaxRules) Fatal("too many rules (limit is 256)");
    if (st.acceptRule != 0 && yyleng_ > 0) {
      matches += st.acceptCount;
      if (matches > kMatchStackSize) Fatal("match stack overflow (limit is 1024 matches)");
      rule = st.acceptRule;
      length = yyleng_;
    }
    if (!st.hasTransitions) break;
    if (yyleng_ == kMaxTokenLength) Fatal("yytext overflow (limit is 255 characters)");
    const char c = GetChar();
    yytext_[yyleng_++] = c;
    state = st.next[static_cast<unsigned char>(c)];
    if (state < 0) break;
  }
  if (rule != kNoRule) {
    Less(length);
    lastChar_ = yytext_[length - 1];
    return rule;
  }
  Less(0);
  const char c = GetChar();
  lastChar_ = c;
  if (c != 0) {
    EchoUnmatched(c);
    return kNoRule;
  }
  atLineStart_ = 1;
  Clear();
  return kEndOfInput;
}

void TCustomLexer::SkipBlockComment() {
  for (;;) {
    char c = GetChar();
    if (c == 0) {
      StreamWriteLine(*err_, "unexpected EOF inside comment at line " + std::to_string(lineNo_));
      return;
    }
    if (c != '*') continue;
    c = GetChar();
    if (c == '/') break;
    UngetChar(c);
  }
  const char after = GetChar();
  if (after != '\n') UngetChar(after);
}

}  // namespace tolm
