#include "engine/ratio_sort.h"

#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <utility>
#include <vector>

#include "engine/entry_partition.h"
#include "engine/worker_threads.h"

namespace cog {
namespace {

// Ranges longer than this are partitioned with one side handed to any idle
// thread; shorter ones are finished by the thread that holds them. The two
// sides of a partition are disjoint, so who sorts them, and when, cannot
// change the outcome.
constexpr std::ptrdiff_t kShareAbove = 1 << 14;
// Below this many entries a thread costs more than it saves.
constexpr std::ptrdiff_t kThreadsFrom = 1 << 18;

struct Range {
  std::ptrdiff_t lo, hi;
};

// Ranges waiting for a thread, and how many are being worked on.
class RangePool {
 public:
  explicit RangePool(Range whole) : waiting_{whole} {}

  // Waits for a range; false once nothing waits and nothing is being worked
  // on, so no more can come.
  bool Take(Range& range) {
    std::unique_lock<std::mutex> lock(mutex_);
    changed_.wait(lock, [this] { return !waiting_.empty() || busy_ == 0; });
    if (waiting_.empty()) return false;
    range = waiting_.back();
    waiting_.pop_back();
    ++busy_;
    return true;
  }

  void Give(Range range) {
    {
      std::lock_guard<std::mutex> lock(mutex_);
      waiting_.push_back(range);
    }
    changed_.notify_one();
  }

  void Finished() {
    bool last = false;
    {
      std::lock_guard<std::mutex> lock(mutex_);
      last = --busy_ == 0 && waiting_.empty();
    }
    if (last) changed_.notify_all();
  }

 private:
  std::mutex mutex_;
  std::condition_variable changed_;
  std::vector<Range> waiting_;
  int busy_ = 0;
};

// Splits a long range, keeping the longer side and giving the shorter one
// away, until the range is short enough to finish alone.
void SortShared(RatioEntry* entries, Range r, RangePool& pool) {
  while (r.hi - r.lo + 1 > kShareAbove) {
    const PartitionBounds b = PartitionEntries(entries, r.lo, r.hi);
    Range lower{r.lo, b.j};
    Range upper{b.i, r.hi};
    if (lower.hi - lower.lo < upper.hi - upper.lo) std::swap(lower, upper);
    if (upper.lo < upper.hi) pool.Give(upper);
    r = lower;
  }
  SortEntryRange(entries, r.lo, r.hi);
}

}  // namespace

void SortRatioEntries(RatioEntry* entries, std::size_t count, unsigned workers) {
  if (count < 2) return;
  const Range whole{0, static_cast<std::ptrdiff_t>(count) - 1};
  // A long table goes through the pool even on one thread: a WebAssembly
  // engine gives a function its optimised code only from its next call on, so
  // one call sorting millions of entries would run unoptimised to the end.
  if (whole.hi < kThreadsFrom) {
    SortEntryRange(entries, whole.lo, whole.hi);
    return;
  }
  RangePool pool(whole);
  RunOnWorkers(workers, [&] {
    Range r;
    while (pool.Take(r)) {
      SortShared(entries, r, pool);
      pool.Finished();
    }
  });
}

}  // namespace cog
