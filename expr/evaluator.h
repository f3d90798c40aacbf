// Evaluation of one expression text (a condition, a program name or an
// argument) to its value.
#pragma once

#include <string>
#include <string_view>

namespace tolm {

// The text is evaluated as given (no line end is appended). Failures raise
// EScriptError or the conversion errors, as the expression parser reports them.
std::string EvaluateExpression(std::string_view text);

}  // namespace tolm
