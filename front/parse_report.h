// The "Information" report a parser shows when a parse wrote anything: the
// lexer's trace output and the error lines, each under its heading.
#pragma once

#include <string>
#include <string_view>

namespace tolm {

// "Parse Output: " CR LF, the output, CR LF "Parse Errors: " CR LF, the errors.
std::string ParseReport(std::string_view output, std::string_view errors);
// Shows that report in the "Information" dialog.
void ShowParseReport(std::string_view output, std::string_view errors);

}  // namespace tolm
