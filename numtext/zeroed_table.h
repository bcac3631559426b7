#pragma once
// A zero-based, zero-filled array of fixed-size records that is created once,
// with the failure numbers of the run-time services instead of exceptions.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <limits>
#include <type_traits>

#include "numtext/run_error.h"

namespace cog {

// Returns `bytes` zero-filled bytes that std::free releases, or nullptr.
using ZeroAllocator = void* (*)(std::size_t bytes);

inline void* CallocZeroAllocator(std::size_t bytes) { return std::calloc(bytes, 1); }

template <class Record>
class ZeroedTable {
  static_assert(std::is_trivially_copyable_v<Record>);

 public:
  ZeroedTable() = default;
  ZeroedTable(const ZeroedTable&) = delete;
  ZeroedTable& operator=(const ZeroedTable&) = delete;
  ZeroedTable(ZeroedTable&& other) noexcept { *this = static_cast<ZeroedTable&&>(other); }
  ZeroedTable& operator=(ZeroedTable&& other) noexcept {
    if (this != &other) {
      std::free(records_);
      records_ = other.records_;
      count_ = other.count_;
      other.records_ = nullptr;
      other.count_ = 0;
    }
    return *this;
  }
  ~ZeroedTable() { std::free(records_); }

  // Creates indices 0..top_index, all bytes zero. A table that exists already is
  // left as it is (kNone). kSubscriptOutOfRange when top_index < 0 or the size in
  // bytes does not fit in 32 bits; kOutOfMemory when the allocator gives nothing.
  // On failure the table stays uncreated.
  RunError Create(std::int64_t top_index, ZeroAllocator allocate = CallocZeroAllocator) {
    if (created()) return RunError::kNone;
    if (top_index < 0) return RunError::kSubscriptOutOfRange;
    const std::uint64_t count = static_cast<std::uint64_t>(top_index) + 1;
    if (count > std::numeric_limits<std::uint32_t>::max() / sizeof(Record)) {
      return RunError::kSubscriptOutOfRange;
    }
    void* memory = allocate(static_cast<std::size_t>(count * sizeof(Record)));
    if (memory == nullptr) return RunError::kOutOfMemory;
    records_ = static_cast<Record*>(memory);
    count_ = static_cast<std::size_t>(count);
    return RunError::kNone;
  }

  bool created() const { return records_ != nullptr; }
  // -1 for a table that was never created.
  std::int64_t TopIndex() const { return static_cast<std::int64_t>(count_) - 1; }
  std::size_t size() const { return count_; }
  Record* data() { return records_; }
  const Record* data() const { return records_; }
  Record& operator[](std::size_t i) { return records_[i]; }
  const Record& operator[](std::size_t i) const { return records_[i]; }
  Record* begin() { return records_; }
  Record* end() { return records_ + count_; }
  const Record* begin() const { return records_; }
  const Record* end() const { return records_ + count_; }

 private:
  Record* records_ = nullptr;
  std::size_t count_ = 0;
};

}  // namespace cog
