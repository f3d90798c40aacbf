// Where a lexer's text comes from: a text in memory, or (in the interpreter)
// a file read piece by piece. The lexer pulls bytes as it needs them, so a
// large file never has to be held whole.
#pragma once

#include <cstddef>
#include <string_view>

namespace tolm {

class TextSource {
 public:
  virtual ~TextSource() = default;
  // Copies up to capacity of the next bytes into buffer and returns how many;
  // 0 only at the end of the text.
  virtual size_t Read(char* buffer, size_t capacity) = 0;
  // How many bytes are still to come if known, else 0. Only a sizing hint.
  virtual size_t RemainingHint() const = 0;
};

// A text in memory; the text must outlive the reads.
class MemorySource : public TextSource {
 public:
  MemorySource() = default;
  explicit MemorySource(std::string_view text) : text_(text) {}
  size_t Read(char* buffer, size_t capacity) override;
  size_t RemainingHint() const override { return text_.size() - pos_; }

 private:
  std::string_view text_;
  size_t pos_ = 0;
};

}  // namespace tolm
