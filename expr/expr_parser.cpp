#include "expr/expr_parser.h"

#include <cstdlib>

#include "front/built_tables.h"
#include "front/parse_report.h"
#include "services/core/errors.h"
#include "services/core/limits.h"
#include "services/seams/exit_status.h"
#include "services/core/text.h"

namespace tolm {
namespace {

std::string Cut(std::string s) {
  if (s.size() > kMaxText) s.resize(kMaxText);
  return s;
}

std::string Truth(bool value) { return value ? "1" : "0"; }

// Names of 255 characters lose their last one, as the 255-character name
// buffer of the original lookup keeps only 254 of them.
std::string EnvironmentValue(const std::string& name) {
  std::string key = name.size() >= kMaxText ? name.substr(0, kMaxText - 1) : name;
  const char* value = std::getenv(key.c_str());
  return value ? Cut(value) : std::string();
}

std::string Arithmetic(const std::string& left, const std::string& right, bool add) {
  const int32_t a = StrToInt(left);
  const int32_t b = StrToInt(right);
  return std::to_string(add ? CheckedAdd(a, b) : CheckedSub(a, b));
}

}  // namespace

TTolmExpr::TTolmExpr() : TCustomParser<std::string>(ExprParseTables(), lexer) {}

void TTolmExpr::yyerror(std::string_view message) {
  std::string text = "Bad Expression: ";
  text.append(message).append(" at ").append(lexer.yytext());
  RaiseScriptError(text);
}

std::string TTolmExpr::Evaluate(std::string_view input, const std::string& sourceName) {
  result_.clear();
  std::string out, err;
  lexer.Open(input, sourceName, out, err);
  const int status = yyparse();
  if (status != 0 || !err.empty() || !out.empty()) {
    ShowParseReport(out, err);
    RaiseScriptError("parse error");
  }
  return result_;
}

// Each rule leaves its value in v[0], the slot of its first symbol.
void TTolmExpr::Reduce(int rule, std::string* v) {
  switch (rule) {
    case 1:
    case 2: result_ = v[0]; break;
    case 3: result_ += v[1]; break;
    case 5: v[0] = Truth(v[0] == v[2]); break;
    case 6: v[0] = Truth(v[0] != v[2]); break;
    case 7: v[0] = Truth(v[0] < v[2]); break;  // std::string compares bytes as unsigned
    case 8: v[0] = Truth(v[0] > v[2]); break;
    case 9: yyerror("string expected"); break;
    case 11: v[0] = Cut(v[0] + v[2]); break;
    case 12: v[0] = Arithmetic(v[0], v[2], true); break;
    case 13: v[0] = Arithmetic(v[0], v[2], false); break;
    case 14: v[0] = EnvironmentValue(v[2]); break;
    case 15: v[0] = std::to_string(LastExitCode); break;
    case 16:
    case 17: v[0].assign(lexer.yytext()); break;
    case 18: v[0].assign(lexer.yytext().substr(1, lexer.yytext().size() - 2)); break;
    default: break;  // 4 does nothing; 10, 19, 20, 21 pass their operand on
  }
}

}  // namespace tolm
