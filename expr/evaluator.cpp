#include "expr/evaluator.h"

#include <memory>

#include "expr/expr_parser.h"

namespace tolm {

// Conditions are evaluated on every loop pass, so one parser (with its
// stacks) is kept and reused; a nested evaluation gets a fresh one.
std::string EvaluateExpression(std::string_view text) {
  static TTolmExpr shared;
  static bool busy = false;
  if (busy) return TTolmExpr().Evaluate(text, "EXPR");
  struct Busy {
    Busy() { busy = true; }
    ~Busy() { busy = false; }
  } guard;
  return shared.Evaluate(text, "EXPR");
}

}  // namespace tolm
