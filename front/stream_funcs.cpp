#include "front/stream_funcs.h"

#include <cstddef>
#include <cstring>

namespace tolm {

const char* LineTextEnd(const char* start, const char* lf) {
  size_t crs = 0;
  while (lf - crs > start && lf[-static_cast<std::ptrdiff_t>(crs) - 1] == '\r') ++crs;
  return crs % 2 == 1 ? lf - 1 : lf;
}

std::string_view StreamReadLine(std::string_view text, size_t& pos) {
  const size_t start = pos;
  const size_t size = text.size();
  const void* hit = pos < size ? std::memchr(text.data() + pos, '\n', size - pos) : nullptr;
  if (hit == nullptr) {
    pos = size;
    return text.substr(start);
  }
  const char* lf = static_cast<const char*>(hit);
  pos = static_cast<size_t>(lf - text.data()) + 1;
  return text.substr(start, static_cast<size_t>(LineTextEnd(text.data() + start, lf) - (text.data() + start)));
}

void StreamWriteLine(std::string& stream, std::string_view text) {
  stream.append(text);
  stream.append("\r\n");
}

}  // namespace tolm
