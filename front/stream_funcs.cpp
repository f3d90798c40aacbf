#include "front/stream_funcs.h"

#include <cstring>

namespace tolm {

std::string_view StreamReadLine(std::string_view text, size_t& pos) {
  const size_t start = pos;
  const size_t size = text.size();
  const void* hit = pos < size ? std::memchr(text.data() + pos, '\n', size - pos) : nullptr;
  if (hit == nullptr) {
    pos = size;
    return text.substr(start);
  }
  size_t lf = static_cast<size_t>(static_cast<const char*>(hit) - text.data());
  pos = lf + 1;
  // Read byte by byte, a CR swallows the byte after it unless that is an LF;
  // so of a run of CRs before the LF only an odd last one pairs with it.
  size_t crs = 0;
  while (lf - crs > start && text[lf - crs - 1] == '\r') ++crs;
  size_t end = (crs % 2 == 1) ? lf - 1 : lf;
  return text.substr(start, end - start);
}

void StreamWriteLine(std::string& stream, std::string_view text) {
  stream.append(text);
  stream.append("\r\n");
}

}  // namespace tolm
