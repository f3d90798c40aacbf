#include "ui/core/replace_all.h"

#include "services/core/text.h"

namespace tolm {

void ReplaceInLines(std::vector<std::string>& lines, const ReplaceStrings& strings) {
  for (std::string& line : lines) line = ReplaceAll(line, strings.String1, strings.String2);
}

}  // namespace tolm
