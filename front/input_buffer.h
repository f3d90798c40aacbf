// The scanner's input window: the text is pulled from its source in pieces
// of up to 64 KiB into one reused buffer and handed out a line at a time.
// Each line is followed in place by a line feed (written over its CR LF or
// LF, or after a last line without one), so the scanner reads every line
// forward from the buffer and sees the line feed the runtime promises. The
// room kept in front of the data takes characters pushed back past the start
// of the current line: the push-back limit caps how far that can reach.
#pragma once

#include <cstddef>
#include <exception>
#include <memory>

#include "services/core/text_source.h"

namespace tolm {

// Thrown by InputBuffer::NextLine for a line longer than the limit; the
// lexer reports it with the line's number.
class LineTooLongError : public std::exception {
 public:
  const char* what() const noexcept override { return "line too long"; }
};

class InputBuffer {
 public:
  static constexpr size_t kChunkSize = 64 * 1024;
  // Characters pending (pushed back or unread) never exceed the scanner's
  // 2048, so a push-back reaches at most this far in front of a line.
  static constexpr size_t kFrontRoom = 2048;
  // A line and its line feed must fit the scanner's 2048 positions.
  static constexpr size_t kMaxLineLength = 2047;

  InputBuffer() = default;
  InputBuffer(const InputBuffer&) = delete;
  InputBuffer& operator=(const InputBuffer&) = delete;

  // Starts reading the source, which must outlive the reads.
  void Open(TextSource& source);

  // The next line: its text at [begin, begin + length), a line feed at
  // begin + length. False at the end of the text. A line of more than 2047
  // characters throws LineTooLongError. The line stays valid until
  // the next call; the bytes in front of it may be overwritten by push-back.
  bool NextLine(char*& begin, size_t& length);

  // Where push-back may start before any line was read.
  char* Start() { return data_ + kFrontRoom; }

 private:
  // Moves the unfinished line to just after the front room and reads more after
  // it; scan is kept pointing at the same byte. False (and atEnd_ set) when
  // the source has no more.
  bool Refill(size_t& scan);

  void Allocate(size_t capacity);

  // A short text (an expression, a command line) is read into the buffer
  // inside this object, so parsing it allocates nothing.
  static constexpr size_t kInlineRoom = 256;

  TextSource* source_ = nullptr;
  char* data_ = inline_;
  size_t capacity_ = 0;  // the last byte is kept for a final line's line feed
  std::unique_ptr<char[]> heap_;
  size_t heapCapacity_ = 0;
  char inline_[kFrontRoom + kInlineRoom + 1];
  size_t next_ = 0;      // start of the first line not yet handed out
  size_t end_ = 0;       // end of the bytes read
  bool atEnd_ = false;
};

}  // namespace tolm
