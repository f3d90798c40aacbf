#include "front/stream_funcs.h"

#include <cstddef>

namespace tolm {

const char* LineTextEnd(const char* start, const char* lf) {
  size_t crs = 0;
  while (lf - crs > start && lf[-static_cast<std::ptrdiff_t>(crs) - 1] == '\r') ++crs;
  return crs % 2 == 1 ? lf - 1 : lf;
}

void StreamWriteLine(std::string& stream, std::string_view text) {
  stream.append(text);
  stream.append("\r\n");
}

}  // namespace tolm
