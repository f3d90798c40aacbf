// The command-file lexer: cuts command text into the tokens of the command
// grammar. After a keyword that takes its argument as one text, the rest of
// the line becomes a single ID token.
#pragma once

#include "front/lexer_runtime.h"

namespace tolm {

// Start conditions of the command lexer.
enum CommandLexCondition : int32_t {
  kCondInitial = 0,
  kCondOldStrArg = 2,      // rest-of-line argument for the source "ARGS": stops before "}"
  kCondOldStrArgFile = 4,  // rest-of-line argument elsewhere: runs to the line end
};

class TTolmLex : public TCustomLexer {
 public:
  TTolmLex();
  int yylex() override;

 private:
  static constexpr int kNoToken = -1;
  int RunAction(int rule);
  int KeywordOrWord();
};

// The automaton of the command lexer's 17 rules (built once per process).
const LexAutomaton& CommandLexAutomaton();

}  // namespace tolm
