#include "front/parser_runtime.h"

namespace tolm {

std::string ErrorReport(const TCustomLexer& lexer, std::string_view message) {
  std::string report = "Line " + std::to_string(lexer.LineNo()) + " Col " + std::to_string(lexer.ColNo()) +
                       " in file \"" + lexer.SourceName() + "\"\r\n";
  report.append(message).append(" at ").append(lexer.yytext());
  return report;
}

}  // namespace tolm
