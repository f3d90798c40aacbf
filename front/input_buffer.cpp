#include "front/input_buffer.h"

#include <cstring>

#include "front/stream_funcs.h"

namespace tolm {
namespace {

// Room for the text after the front room: the whole text when it is short
// (an expression, a command line), else one chunk.
size_t DataRoomFor(size_t hint) {
  if (hint == 0 || hint >= InputBuffer::kChunkSize) return InputBuffer::kChunkSize;
  return hint + 1;
}

}  // namespace

void InputBuffer::Open(TextSource& source) {
  source_ = &source;
  const size_t capacity = kFrontRoom + DataRoomFor(source.RemainingHint()) + 1;
  if (capacity <= sizeof inline_) {
    data_ = inline_;
    capacity_ = sizeof inline_;
  } else {
    Allocate(capacity);
  }
  next_ = end_ = kFrontRoom;
  atEnd_ = false;
}

// A heap buffer large enough is kept for the next text.
void InputBuffer::Allocate(size_t capacity) {
  if (capacity > heapCapacity_) {
    heap_ = std::make_unique_for_overwrite<char[]>(capacity);
    heapCapacity_ = capacity;
  }
  data_ = heap_.get();
  capacity_ = heapCapacity_;
}

bool InputBuffer::Refill(size_t& scan) {
  if (next_ != kFrontRoom) {
    const size_t kept = end_ - next_;
    std::memmove(data_ + kFrontRoom, data_ + next_, kept);
    scan -= next_ - kFrontRoom;
    next_ = kFrontRoom;
    end_ = kFrontRoom + kept;
  }
  if (end_ + 1 == capacity_) {
    // Sized for a shorter text than came (a file that grew): make the room
    // of a whole chunk, keeping the unfinished line.
    char* const old = data_;
    std::unique_ptr<char[]> keep = std::move(heap_);
    heapCapacity_ = 0;
    Allocate(kFrontRoom + kChunkSize + 1);
    std::memcpy(data_ + kFrontRoom, old + kFrontRoom, end_ - kFrontRoom);
  }
  const size_t got = source_->Read(data_ + end_, capacity_ - 1 - end_);
  if (got == 0) atEnd_ = true;
  end_ += got;
  return got != 0;
}

bool InputBuffer::NextLine(char*& begin, size_t& length) {
  if (source_ == nullptr) return false;
  size_t scan = next_;
  for (;;) {
    const void* hit = scan != end_ ? std::memchr(data_ + scan, '\n', end_ - scan) : nullptr;
    if (hit != nullptr) {
      char* const lf = data_ + (static_cast<const char*>(hit) - data_);
      char* const textEnd = LineTextEnd(data_ + next_, lf);
      length = static_cast<size_t>(textEnd - (data_ + next_));
      if (length > kMaxLineLength) throw LineTooLongError();
      *textEnd = '\n';  // over the CR of a CR LF; an LF stays as it is
      begin = data_ + next_;
      next_ = static_cast<size_t>(lf - data_) + 1;
      return true;
    }
    scan = end_;
    // Without its LF the line may still lose one CR, no more.
    if (end_ - next_ > kMaxLineLength + 1) throw LineTooLongError();
    if (atEnd_ || !Refill(scan)) break;
  }
  if (next_ == end_) return false;
  length = end_ - next_;  // a last line without a terminator keeps every byte
  if (length > kMaxLineLength) throw LineTooLongError();
  data_[end_] = '\n';
  begin = data_ + next_;
  next_ = end_;
  return true;
}

}  // namespace tolm
