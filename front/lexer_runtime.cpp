#include "front/lexer_runtime.h"

#include <cstring>

#include "front/stream_funcs.h"
#include "services/core/errors.h"

namespace tolm {

bool LexTrace = false;

// Before any Open the pending characters sit, empty, in the buffer's front
// room, so a push-back there is as safe as after it.
TCustomLexer::TCustomLexer(const LexAutomatonView& automaton) : automaton_(automaton) {
  next_ = end_ = input_.Start();
  Clear();
}

void TCustomLexer::Open(std::string_view input, const std::string& sourceName, std::string& out,
                        std::string& err) {
  text_ = MemorySource(input);
  Open(text_, sourceName, out, err);
}

void TCustomLexer::Open(TextSource& input, const std::string& sourceName, std::string& out, std::string& err) {
  input_.Open(input);
  next_ = end_ = input_.Start();
  sourceName_ = sourceName;
  out_ = &out;
  err_ = &err;
  lineNo_ = 0;
  colNo_ = 0;
  nulAhead_ = false;
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

void TCustomLexer::WriteTrace(std::string_view text) { StreamWriteLine(*out_, text); }

void TCustomLexer::WriteTokenTrace(std::string_view prefix, std::string_view suffix) {
  std::string line(prefix);
  line.append(yytext()).append(suffix);
  StreamWriteLine(*out_, line);
}

// The buffer hands out each line followed by its line feed; it keeps room in
// front of the line for characters pushed back beyond its start, which the
// 2048 limit keeps within reach.
//
// A NUL byte would read as the end of the input and silently drop the rest
// of the text. A line that holds one is handed out only up to it; reading on
// from there reports it at its line and column.
bool TCustomLexer::ReadLine() {
  if (nulAhead_) Fatal("NUL character in the text");
  char* begin;
  size_t length;
  try {
    if (!input_.NextLine(begin, length)) return false;
  } catch (const LineTooLongError&) {
    // Reported at the first column beyond the limit; no token is to blame.
    ++lineNo_;
    colNo_ = static_cast<int32_t>(InputBuffer::kMaxLineLength) + 1;
    yyleng_ = 0;
    Fatal("line too long (limit is 2047 characters)");
  }
  ++lineNo_;
  colNo_ = 1;
  next_ = begin;
  end_ = begin + length + 1;
  if (void* nul = std::memchr(begin, 0, length)) {
    end_ = static_cast<char*>(nul);
    nulAhead_ = true;
  }
  return true;
}

void TCustomLexer::UngetChar(char c) {
  if (end_ - next_ == kPushBackSize) Fatal("input buffer overflow (limit is 2048 characters)");
  --colNo_;
  *--next_ = c;
}

void TCustomLexer::LessOneByOne(int n) {
  for (int i = yyleng_ - 1; i >= n; --i) UngetChar(yytext_[i]);
}

void TCustomLexer::EchoUnmatched(char c) {
  if (c == '\n')
    StreamWriteLine(*out_, "");
  else
    out_->push_back(c);
}

// In a state that loops on some bytes, takes the run of such bytes at once:
// exactly what one step per byte would do, as long as no limit is reached
// and the line goes on. The step that reaches a limit, leaves the line or
// leaves the state is left to the walk below, so it happens as always.
inline void TCustomLexer::TakeRun(int state, const LexStep& st, char*& read, const char* lineEnd, int& taken,
                           int& matches, int& rule, int& length) {
  const int16_t* const row = automaton_.next.data() + static_cast<size_t>(state) * static_cast<size_t>(automaton_.classStride);
  const uint8_t* const byteClass = automaton_.byteClass->data();
  ptrdiff_t room = lineEnd - read;
  if (room > kMaxTokenLength - taken) room = kMaxTokenLength - taken;
  if (st.acceptRule != 0 && room > (kMatchStackSize - matches) / st.acceptCount)
    room = (kMatchStackSize - matches) / st.acceptCount;
  ptrdiff_t n = 0;
  while (n < room && row[byteClass[static_cast<unsigned char>(read[n])]] == state) {
    yytext_[taken + n] = read[n];
    ++n;
  }
  if (n == 0) return;
  read += n;
  taken += static_cast<int>(n);
  if (st.acceptRule != 0) {
    matches += static_cast<int>(n) * st.acceptCount;
    rule = st.acceptRule;
    length = taken;
  }
}

// The automaton walk: read while the current state has transitions, remember
// the latest accepting length (lowest rule on ties), then push back whatever
// was read beyond it. The read-ahead moves LineNo/ColNo just as the table
// scanner does, which error reports show.
//
// Within a line the walk reads straight from the buffer and keeps the read
// position and token length in registers; ColNo, the position and yytext's
// length are brought up to date whenever something else may look at them
// (reading the next line, a limit's report, the end of the token).
int TCustomLexer::MatchToken() {
  if (lastChar_ != 0) atLineStart_ = lastChar_ == '\n' ? 1 : 0;
  const int16_t* const next = automaton_.next.data();
  const LexStep* const steps = automaton_.steps.data();
  const unsigned passCount = static_cast<unsigned>(automaton_.passCount);
  const uint8_t* const byteClass = automaton_.byteClass->data();
  const size_t stride = static_cast<size_t>(automaton_.classStride);
  int state = automaton_.start[static_cast<size_t>(startCondition_ + atLineStart_)];
  int rule = kNoRule, length = 0, matches = 0, taken = 0;
  char* read = next_;
  char* lineEnd = end_;
  const auto sync = [&] {
    colNo_ += static_cast<int32_t>(read - next_);
    next_ = read;
    yyleng_ = taken;
  };
  for (;;) {
    const LexStep& st = steps[state];
    if (!st.plain) {
      if (st.tooManyRules) {
        sync();
        Fatal("too many rules (limit is 256)");
      }
      if (st.acceptRule != 0 && taken > 0) {
        matches += st.acceptCount;
        if (matches > kMatchStackSize) {
          sync();
          Fatal("match stack overflow (limit is 1024 matches)");
        }
        rule = st.acceptRule;
        length = taken;
      }
    }
    if (!st.hasTransitions) break;
    if (st.loops) TakeRun(state, st, read, lineEnd, taken, matches, rule, length);
    do {  // through states that only pass on to the next character
      if (taken == kMaxTokenLength) {
        sync();
        Fatal("yytext overflow (limit is 255 characters)");
      }
      char c;
      if (read != lineEnd) {
        c = *read++;
      } else {
        sync();
        c = GetChar();
        read = next_;
        lineEnd = end_;
      }
      yytext_[taken++] = c;
      state = next[static_cast<size_t>(state) * stride + byteClass[static_cast<unsigned char>(c)]];
    } while (static_cast<unsigned>(state) < passCount);
    if (state < 0) break;
  }
  sync();
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
