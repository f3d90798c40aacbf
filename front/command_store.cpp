#include "front/command_store.h"

#include <algorithm>
#include <cstring>

#include "front/command_record.h"
#include "front/keyword_table.h"
#include "services/core/errors.h"
#include "services/core/limits.h"

namespace tolm {
namespace {

// A reference is the chunk's number (high 16 bits) and the offset in it.
constexpr size_t kChunkSize = size_t{1} << 16;
// The first chunk is small and each next one twice the last, up to
// kChunkSize: a run of one short command touches one page of it, not the
// first page of 64 KiB with everything allocated after it on further pages.
constexpr size_t kFirstChunkSize = size_t{1} << 10;
constexpr size_t kMaxChunks = size_t{1} << 16;
constexpr int32_t kOptionBase = 256;

// Counts are written as LEB128: one byte below 128.
size_t CountSize(size_t n) {
  size_t bytes = 1;
  while (n >= 0x80) {
    n >>= 7;
    ++bytes;
  }
  return bytes;
}
unsigned char* PutCount(unsigned char* p, size_t n) {
  while (n >= 0x80) {
    *p++ = static_cast<unsigned char>(n | 0x80);
    n >>= 7;
  }
  *p++ = static_cast<unsigned char>(n);
  return p;
}
uint32_t GetCount(const unsigned char*& p) {
  uint32_t n = 0;
  for (int shift = 0;; shift += 7) {
    const unsigned char b = *p++;
    n |= static_cast<uint32_t>(b & 0x7f) << shift;
    if (b < 0x80) return n;
  }
}

unsigned char* PutText(unsigned char* p, std::string_view text) {
  *p++ = static_cast<unsigned char>(text.size());
  std::memcpy(p, text.data(), text.size());
  return p + text.size();
}
std::string_view GetText(const unsigned char*& p) {
  const size_t length = *p++;
  std::string_view text(reinterpret_cast<const char*>(p), length);
  p += length;
  return text;
}
uint32_t GetRef(const unsigned char* p) {
  uint32_t ref;
  std::memcpy(&ref, p, sizeof ref);
  return ref;
}

// Texts pass through the value stack cut to kMaxText characters; a longer
// one here would be a fault of the grammar's actions.
void CheckLength(std::string_view text) {
  if (text.size() > kMaxText) throw Exception(kRangeCheckError);
}

bool HasBlocks(int32_t code) { return code == kCmdIf || code == kCmdDo; }

}  // namespace

CommandRecord CommandList::operator[](size_t i) const {
  return store_->Record(top_ != nullptr ? (*top_)[i] : GetRef(refs_ + 4 * i));
}
CommandRecord CommandList::front() const { return (*this)[0]; }
CommandRecord CommandList::Iterator::operator*() const { return (*list_)[i_]; }

std::string_view CommandArgs::operator[](size_t i) const {
  if (!keyword_.empty()) {
    if (i == 0) return keyword_;
    --i;
  }
  const unsigned char* p = texts_;
  for (; i > 0; --i) p += 1 + *p;
  return GetText(p);
}

bool CommandRecord::HasOption(int32_t optionCode) const {
  for (unsigned char o : options_)
    if (o + kOptionBase == optionCode) return true;
  return false;
}

std::vector<int32_t> CommandRecord::Options() const {
  std::vector<int32_t> codes;
  for (unsigned char o : options_) codes.push_back(o + kOptionBase);
  return codes;
}

CommandStore::CommandStore() = default;
CommandStore::~CommandStore() = default;

unsigned char* CommandStore::Reserve(size_t n, uint32_t& at) {
  bytesUsed_ += n;
  if (n > kChunkSize) {  // a chunk of its own; the one being filled goes on
    if (chunks_.size() == kMaxChunks) throw Exception("Out of memory");
    chunks_.push_back(std::make_unique<unsigned char[]>(n));
    at = static_cast<uint32_t>((chunks_.size() - 1) << 16);
    return chunks_.back().get();
  }
  if (chunks_.empty() || used_ + n > capacity_) {
    if (chunks_.size() == kMaxChunks) throw Exception("Out of memory");
    capacity_ = std::max(n, capacity_ == 0 ? kFirstChunkSize : std::min(capacity_ * 2, kChunkSize));
    chunks_.push_back(std::make_unique_for_overwrite<unsigned char[]>(capacity_));
    current_ = chunks_.size() - 1;
    used_ = 0;
  }
  at = static_cast<uint32_t>(current_ << 16 | used_);
  unsigned char* p = chunks_[current_].get() + used_;
  used_ += n;
  return p;
}

const unsigned char* CommandStore::At(uint32_t at) const { return chunks_[at >> 16].get() + (at & 0xffff); }

// Layout: keyword row, count of texts, count of options, the options, the
// texts; then for "/if" and "/do" the condition and the block references.
template <class Text>
RecordRef CommandStore::Add(int kwIndex, std::span<const Text> texts, std::span<const int32_t> options,
                            std::string_view condition, std::span<const ListRef> blocks) {
  size_t size = 1 + CountSize(texts.size()) + CountSize(options.size()) + options.size();
  for (std::string_view t : texts) {
    CheckLength(t);
    size += 1 + t.size();
  }
  const int32_t code = kwIndex > 0 ? KeywordRow(kwIndex).Code : kCmdProgram;
  if (HasBlocks(code)) {
    CheckLength(condition);
    size += 1 + condition.size() + 4 * blocks.size();
  }
  uint32_t at = 0;
  unsigned char* p = Reserve(size, at);
  *p++ = static_cast<unsigned char>(kwIndex);
  p = PutCount(p, texts.size());
  p = PutCount(p, options.size());
  for (int32_t o : options) *p++ = static_cast<unsigned char>(o - kOptionBase);
  for (std::string_view t : texts) p = PutText(p, t);
  if (HasBlocks(code)) {
    p = PutText(p, condition);
    for (ListRef b : blocks) {
      std::memcpy(p, &b.at, 4);
      p += 4;
    }
  }
  return {at};
}

RecordRef CommandStore::AddRecord(int kwIndex, std::span<const std::string_view> texts,
                                  std::span<const int32_t> options, std::string_view condition,
                                  std::span<const ListRef> blocks) {
  return Add(kwIndex, texts, options, condition, blocks);
}

RecordRef CommandStore::AddRecord(int kwIndex, std::span<const std::string> texts, std::span<const int32_t> options) {
  return Add(kwIndex, texts, options, {}, {});
}

ListRef CommandStore::AddList(std::span<const RecordRef> records) {
  uint32_t at = 0;
  unsigned char* p = Reserve(CountSize(records.size()) + 4 * records.size(), at);
  p = PutCount(p, records.size());
  for (RecordRef r : records) {
    std::memcpy(p, &r.at, 4);
    p += 4;
  }
  return {at};
}

CommandList CommandStore::Top() const {
  CommandList list;
  list.store_ = this;
  list.top_ = &top_;
  list.size_ = top_.size();
  return list;
}

CommandList CommandStore::List(uint32_t at) const {
  const unsigned char* p = At(at);
  CommandList list;
  list.store_ = this;
  list.size_ = GetCount(p);
  list.refs_ = p;
  return list;
}

CommandRecord CommandStore::Record(uint32_t at) const {
  const unsigned char* p = At(at);
  CommandRecord r;
  r.kwIndex = *p++;
  r.code = r.kwIndex > 0 ? KeywordRow(r.kwIndex).Code : kCmdProgram;
  if (r.kwIndex > 0) r.args.keyword_ = KeywordRow(r.kwIndex).Name;
  r.args.count_ = GetCount(p);
  const uint32_t optionCount = GetCount(p);
  r.options_ = {p, optionCount};
  p += optionCount;
  r.args.texts_ = p;
  if (!HasBlocks(r.code)) return r;
  for (uint32_t i = 0; i < r.args.count_; ++i) p += 1 + *p;
  r.condition = GetText(p);
  r.block = List(GetRef(p));
  if (r.code == kCmdIf) r.elseBlock = List(GetRef(p + 4));
  return r;
}

}  // namespace tolm
