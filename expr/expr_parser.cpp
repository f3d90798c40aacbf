#include "expr/expr_parser.h"

#include <cstdlib>

#include "front/parse_report.h"
#include "services/errors.h"
#include "services/exit_status.h"
#include "services/text.h"

namespace tolm {
namespace {

enum Nonterminal : int {
  input = kExprTerminalCount, comparison, expr, identval, numval, strval, operand, kAfterLastNonterminal
};

constexpr size_t kMaxText = 255;

std::string Cut(std::string s) {
  if (s.size() > kMaxText) s.resize(kMaxText);
  return s;
}

GrammarSpec MakeGrammar() {
  GrammarSpec g;
  g.terminalCount = kExprTerminalCount;
  g.nonterminalCount = static_cast<int>(kAfterLastNonterminal) - static_cast<int>(kExprTerminalCount);
  g.start = input;
  g.rules = {
      /* 1 */ {input, {comparison}},
      /* 2 */ {input, {expr}},
      /* 3 */ {input, {input, expr}},
      /* 4 */ {input, {input, kExprNewline}},
      /* 5 */ {comparison, {expr, kExprEq, expr}},
      /* 6 */ {comparison, {expr, kExprNe, expr}},
      /* 7 */ {comparison, {expr, kExprLt, expr}},
      /* 8 */ {comparison, {expr, kExprGt, expr}},
      /* 9 */ {expr, {}},
      /* 10 */ {expr, {operand}},
      /* 11 */ {expr, {expr, '&', expr}},
      /* 12 */ {expr, {expr, '+', expr}},
      /* 13 */ {expr, {expr, '-', expr}},
      /* 14 */ {expr, {kExprEnv, '(', expr, ')'}},
      /* 15 */ {expr, {kExprErrorlevel, '(', ')'}},
      /* 16 */ {identval, {kExprIdent}},
      /* 17 */ {numval, {kExprNumber}},
      /* 18 */ {strval, {kExprString}},
      /* 19 */ {operand, {strval}},
      /* 20 */ {operand, {identval}},
      /* 21 */ {operand, {numval}},
  };
  // "&" and the comparisons have no precedence: their conflicts shift.
  g.precedence = {{Assoc::Left, {'+', '-'}}};
  return g;
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

const GrammarSpec& ExprGrammar() {
  static const GrammarSpec grammar = MakeGrammar();
  return grammar;
}

const ParseTables& ExprParseTables() {
  static const ParseTables tables = BuildLalrTables(ExprGrammar());
  return tables;
}

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
