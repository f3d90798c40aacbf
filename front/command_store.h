// The records of one parse, packed into one store: each record is a few
// bytes in a chunk of the store (its keyword row, counts, option codes and
// texts with a length byte each, the references of its blocks), and each
// list is a run of record references. A file of short command lines keeps
// about as many bytes as it has, where a record of its own per line with a
// string per text took twenty times that.
//
// Reading goes through small views made on the spot: CommandList (the
// records of a file or a block) and CommandRecord (one command), valid as
// long as the store lives.
#pragma once

#include <cstdint>
#include <deque>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "front/command_record.h"

namespace tolm {

class CommandStore;
class CommandRecord;

// Where a record, or a block's list, starts in the store.
struct RecordRef {
  uint32_t at;
};
struct ListRef {
  uint32_t at;
};

// The records of a file (the store's top list) or of a block.
class CommandList {
 public:
  CommandList() = default;
  size_t size() const { return size_; }
  bool empty() const { return size_ == 0; }
  CommandRecord operator[](size_t i) const;
  CommandRecord front() const;

  class Iterator {
   public:
    Iterator(const CommandList& list, size_t i) : list_(&list), i_(i) {}
    CommandRecord operator*() const;
    Iterator& operator++() {
      ++i_;
      return *this;
    }
    bool operator!=(const Iterator& other) const { return i_ != other.i_; }

   private:
    const CommandList* list_;
    size_t i_;
  };
  Iterator begin() const { return {*this, 0}; }
  Iterator end() const { return {*this, size_}; }

 private:
  friend class CommandStore;
  const CommandStore* store_ = nullptr;
  const unsigned char* refs_ = nullptr;  // a block's references, 4 bytes each
  const std::deque<uint32_t>* top_ = nullptr;  // or the top list's
  size_t size_ = 0;
};

// The texts of a record: [0] the keyword's name (a program line: the program
// word), then the arguments. Each text holds at most 255 characters.
class CommandArgs {
 public:
  size_t size() const { return count_ + (keyword_.empty() ? 0 : 1); }
  bool empty() const { return size() == 0; }
  std::string_view operator[](size_t i) const;

 private:
  friend class CommandStore;
  std::string_view keyword_;              // empty for a program line
  const unsigned char* texts_ = nullptr;  // count_ texts, each a length byte and its characters
  uint32_t count_ = 0;
};

// One command, as the parse built it.
class CommandRecord {
 public:
  int32_t kwIndex = 0;  // keyword table row 1..34; 0 for a program line
  int32_t code = 0;     // 257..275 for keywords; 0 starts a program
  CommandArgs args;
  std::string_view condition;  // "/if" condition, "/do" while-condition ("0" without one); else empty
  CommandList block;           // "/if" then-part, "/do" body; empty otherwise
  CommandList elseBlock;       // "/if" else-part (maybe empty); empty otherwise

  bool HasOption(int32_t optionCode) const;
  // Option codes 276..282 in source order, duplicates kept.
  std::vector<int32_t> Options() const;

 private:
  friend class CommandStore;
  std::span<const unsigned char> options_;  // each code - 256
};

class CommandStore {
 public:
  CommandStore();
  ~CommandStore();
  CommandStore(const CommandStore&) = delete;
  CommandStore& operator=(const CommandStore&) = delete;

  // Writing, as the parse goes. texts are the record's stored texts: for a
  // keyword command those after its name, for a program line all of them.
  // The condition and the blocks are those of "/if" (two blocks) and "/do"
  // (one block); other records have none.
  RecordRef AddRecord(int kwIndex, std::span<const std::string_view> texts, std::span<const int32_t> options,
                      std::string_view condition = {}, std::span<const ListRef> blocks = {});
  RecordRef AddRecord(int kwIndex, std::span<const std::string> texts, std::span<const int32_t> options);
  ListRef AddList(std::span<const RecordRef> records);
  void AppendTop(RecordRef record) { top_.push_back(record.at); }

  // Reading.
  CommandList Top() const;
  CommandRecord Record(uint32_t at) const;
  CommandList List(uint32_t at) const;
  // Bytes held by records and lists (for tests and measurements).
  size_t BytesUsed() const { return bytesUsed_; }

 private:
  template <class Text>
  RecordRef Add(int kwIndex, std::span<const Text> texts, std::span<const int32_t> options,
                std::string_view condition, std::span<const ListRef> blocks);
  // Room for n bytes that stay together; returns where they start.
  unsigned char* Reserve(size_t n, uint32_t& at);
  const unsigned char* At(uint32_t at) const;

  std::vector<std::unique_ptr<unsigned char[]>> chunks_;
  size_t current_ = 0;  // the chunk being filled
  size_t used_ = 0;     // bytes used of it
  size_t capacity_ = 0; // and its size
  size_t bytesUsed_ = 0;
  std::deque<uint32_t> top_;
};

}  // namespace tolm
