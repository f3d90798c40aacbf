#include "front/lexer_runtime.h"

#include <cstring>

#include "front/stream_funcs.h"
#include "services/errors.h"

namespace tolm {

bool LexTrace = false;

TCustomLexer::TCustomLexer(const LexAutomaton& automaton) : automaton_(automaton) { Clear(); }

void TCustomLexer::Open(std::string_view input, const std::string& sourceName, std::string& out,
                        std::string& err) {
  text_ = MemorySource(input);
  Open(text_, sourceName, out, err);
}

void TCustomLexer::Open(TextSource& input, const std::string& sourceName, std::string& out, std::string& err) {
  input_.Open(input);
  next_ = end_ = input_.Start();
  sourceName_ = sourceName;
  lineText_ = {};
  out_ = &out;
  err_ = &err;
  lineNo_ = 0;
  colNo_ = 0;
  Clear();
}

void TCustomLexer::Clear() {
  next_ = end_;
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

// The buffer hands out each line followed by its line feed; it keeps room in
// front of the line for characters pushed back beyond its start, which the
// 2048 limit keeps within reach.
bool TCustomLexer::ReadLine() {
  char* begin;
  size_t length;
  if (!input_.NextLine(begin, length)) return false;
  lineText_ = {begin, length};
  ++lineNo_;
  colNo_ = 1;
  next_ = begin;
  end_ = begin + length + 1;
  return true;
}

void TCustomLexer::UngetChar(char c) {
  if (end_ - next_ == kPushBackSize) Fatal("input buffer overflow (limit is 2048 characters)");
  --colNo_;
  *--next_ = c;
}

// Usually pushes back what was just read in one step; one character at a
// time only when the limit may be reached, so the overflow hits at the same
// character.
void TCustomLexer::Less(int n) {
  const int back = yyleng_ - n;
  if (back <= 0) {
  } else if ((end_ - next_) + back <= kPushBackSize) {
    next_ -= back;
    std::memcpy(next_, yytext_ + n, static_cast<size_t>(back));
    colNo_ -= back;
  } else {
    for (int i = yyleng_ - 1; i >= n; --i) UngetChar(yytext_[i]);
  }
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
