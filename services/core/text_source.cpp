#include "services/core/text_source.h"

#include <cstring>

namespace tolm {

size_t MemorySource::Read(char* buffer, size_t capacity) {
  const size_t n = capacity < text_.size() - pos_ ? capacity : text_.size() - pos_;
  if (n != 0) std::memcpy(buffer, text_.data() + pos_, n);
  pos_ += n;
  return n;
}

}  // namespace tolm
