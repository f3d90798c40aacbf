// Reading a whole command file for the parser.
#pragma once

#include <cstddef>
#include <memory>
#include <string>
#include <string_view>

namespace tolm {

// The bytes of a file, read in one piece (no zero-filling, no regrowing).
class FileText {
 public:
  std::string_view View() const { return {data_.get(), size_}; }
  // Reads the whole file; other programs may read and write it meanwhile.
  // False when it cannot be opened or read.
  bool Read(const std::string& fileName);

 private:
  std::unique_ptr<char[]> data_;
  size_t size_ = 0;
};

// "Error occurred while opening <name>:" CR LF "Cannot open file <name>".
std::string OpenFailureMessage(const std::string& fileName);

}  // namespace tolm
