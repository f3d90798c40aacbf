// The command-file lexer: cuts command text into the tokens of the command
// grammar. After a keyword that takes its argument as one text, the rest of
// the line becomes a single ID token.
//
// Absolute paths: a word that starts with "/" is an option or command
// keyword, or else ILLEGAL (an unknown program switch). Where an ILLEGAL word
// (or any word but an option) can only be a syntax error, the lexer reads it
// again as a path instead: in a one-text argument it begins the argument
// text, as the command word of a line it is a program path when it holds a
// second "/", and as the file name right after "@" it runs to the next blank.
// Text that parsed before keeps its tokens, except a file name after "@"
// glued to more "/" words ("@/a/b"), which used to be split into arguments.
#pragma once

#include <string>
#include <string_view>

#include "front/lexer_runtime.h"
#include "front/token_codes.h"

namespace tolm {

// Start conditions of the command lexer.
enum CommandLexCondition : int32_t {
  kCondInitial = 0,
  kCondOldStrArg = 2,      // rest-of-line argument for the source "ARGS": stops before "}"
  kCondOldStrArgFile = 4,  // rest-of-line argument elsewhere: runs to the line end
  // The same two argument texts when they begin with "/".
  kCondSlashArg = 6,
  kCondSlashArgFile = 8,
  kCondProgramPath = 10,  // a command word that begins with "/" and is no keyword
  kCondRunFilePath = 12,  // the first argument of "@" when it begins with "/"
};

class TTolmLex : public TCustomLexer {
 public:
  TTolmLex();
  int yylex() override;

  // As the runtime's, and the next token begins a command.
  void Open(std::string_view input, const std::string& sourceName, std::string& out, std::string& err);
  void Open(TextSource& input, const std::string& sourceName, std::string& out, std::string& err);

 private:
  static constexpr int kNoToken = -1;
  int RunAction(int rule);
  int KeywordOrWord();
  int SlashCharacter();
  // Puts the token back to be read again in the given start condition.
  int ReadAgainAs(int32_t condition);
  // Where the token just read stands: a one-text argument, the command word
  // of a line, or the first argument of "@".
  bool InOneTextArgument() const;
  // The condition that reads an argument text beginning with "/".
  int32_t SlashArgumentCondition() const;
  bool AtCommandWord() const { return lastToken_ == kTokNl || lastToken_ == '{'; }
  bool AtRunFileName() const { return lastToken_ == kTokAt && StartCondition() == kCondInitial; }

  int lastToken_ = kTokNl;  // the last token returned; NL before the first
};

}  // namespace tolm
