// Reading a command file for the parser, piece by piece as the parse goes,
// so memory stays flat however large the file is.
#pragma once

#include <cstddef>
#include <string>

#include "services/core/text_source.h"

namespace tolm {

// A command file as a text source. Other programs may read and write the
// file meanwhile; whatever it holds when a piece is read is what is parsed.
class CommandFileSource : public TextSource {
 public:
  CommandFileSource() = default;
  ~CommandFileSource() override;
  CommandFileSource(const CommandFileSource&) = delete;
  CommandFileSource& operator=(const CommandFileSource&) = delete;

  // False when the file cannot be opened for reading or is a directory
  // (Error then says why). Never waits, not even for a FIFO's writer.
  bool Open(const std::string& fileName);
  // Ends at the end of the file, and at a read error (see Failed). Serves
  // pending close requests first; waits for a pipe or FIFO on the pump.
  size_t Read(char* buffer, size_t capacity) override;
  // The size measured at Open less what was read, while that is known.
  size_t RemainingHint() const override;
  // Whether a read failed: the text then ended early.
  bool Failed() const { return failed_; }
  // The system's error code of the failed open or read.
  int Error() const { return error_; }
  // Closes the file (reading then gives the end).
  void Close();

 private:
  // Closes an earlier file and forgets its state, for a new Open.
  void Reset();

  int fd_ = -1;
  size_t expected_ = 0;
  size_t read_ = 0;
  bool regular_ = true;
  bool failed_ = false;
  int error_ = 0;
};

// "Error occurred while opening <name>:" CR LF "Cannot open file <name>: "
// followed by the system's text for error (its error code).
std::string OpenFailureMessage(const std::string& fileName, int error);

}  // namespace tolm
