#include "services/core/desktop_names.h"

#include <algorithm>

namespace tolm {

bool NamesDesktop(const char* currentDesktop, std::string_view desktop) {
  if (currentDesktop == nullptr) return false;
  const std::string_view list(currentDesktop);
  for (size_t start = 0; start <= list.size();) {
    const size_t end = std::min(list.find(':', start), list.size());
    if (list.substr(start, end - start) == desktop) return true;
    start = end + 1;
  }
  return false;
}

}  // namespace tolm
