#include "front/parse_report.h"

#include "services/seams/user_interface.h"

namespace tolm {

std::string ParseReport(std::string_view output, std::string_view errors) {
  std::string report = "Parse Output: \r\n";
  report.append(output).append("\r\nParse Errors: \r\n").append(errors);
  return report;
}

void ShowParseReport(std::string_view output, std::string_view errors) {
  CurrentUserInterface().ShowInfoDialog(ParseReport(output, errors), false);
}

}  // namespace tolm
