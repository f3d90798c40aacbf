// The command parser: turns command text into the records of a command
// store, showing every parse error of the text together in one
// "Information" report.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "front/command_lexer.h"
#include "front/command_record.h"
#include "front/command_store.h"
#include "front/parser_runtime.h"

namespace tolm {

using TextList = std::vector<std::string>;
using OptionList = std::vector<int32_t>;
using RecordRefs = std::vector<RecordRef>;
// What a grammar symbol carries: nothing, a text (at most 255 characters),
// an option code, a text list, an option list, a record in the store or the
// records of a block being read.
using CommandValue = std::variant<std::monostate, std::string, int32_t, TextList, OptionList, RecordRef, RecordRefs>;

struct CommandAction;

// The lexer lives in a base that is constructed before the driver that
// refers to it.
struct CommandLexerHolder {
  TTolmLex lexer;
};

class TTolmYacc : private CommandLexerHolder, public TCustomParser<CommandValue> {
 public:
  TTolmYacc();

  // Parses the whole text; the store's top list holds its commands. On
  // errors shows "Parse Output: " / "Parse Errors: " and raises "parse error"
  // (with LexTrace on: returns the partial list).
  std::unique_ptr<CommandStore> Parse(std::string_view input, const std::string& sourceName);
  // The same over a source read as the parse goes (a command file).
  std::unique_ptr<CommandStore> Parse(TextSource& input, const std::string& sourceName);
  // Parses the whole text only to find its errors, reported as Parse does:
  // each top-level record is dropped as soon as it is complete, so memory
  // stays flat however long the text is. True when the text parsed.
  bool Check(std::string_view input, const std::string& sourceName);
  bool Check(TextSource& input, const std::string& sourceName);

  // Services for the grammar actions.
  void Trace(std::string_view text) { lexer.Trace(text); }
  std::string_view TokenText() const { return lexer.yytext(); }
  // Where the actions build records (only while keeping them).
  CommandStore& Store() { return *result_; }
  void AppendToResult(RecordRef record) {
    if (keepRecords_) result_->AppendTop(record);
  }
  // A token's text was taken into a value: a text that grows too long is
  // reported where the last such token ends.
  void NoteTextToken();
  // Writes "text too long (limit is 255 characters)" with that line and
  // column to the error stream, once per line; the parse then fails.
  void TextTooLong();

 protected:
  void Reduce(int rule, CommandValue* v) override;

 private:
  // Runs the driver over the input; shows the report when there is one.
  // Returns whether the text parsed without a report.
  bool RunParse(TextSource& input, const std::string& sourceName);

  CommandStore* result_ = nullptr;
  bool keepRecords_ = true;
  const CommandAction* actions_;  // by rule number
  int32_t textLine_ = 0, textCol_ = 0;
  int32_t tooLongLine_ = 0;  // the line of the last such report, 0: none
};

}  // namespace tolm
