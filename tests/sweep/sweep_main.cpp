// Sweeps tooth-limit pairs through the real `cogwright-cli table` and checks
// every table it prints; pairs whose table cannot fit in 4 GiB must fail with
// error 9, and a table denied its memory with error 7.
//
// Usage: limits_sweep --cli PATH [--max-slots N] [--jobs N] [--refusal-stride K]
//                     [--no-memory-limit]
//   --max-slots N      sweep every pair whose table has at most N slots (default 2000000)
//   --jobs N           tables checked at once (default 2)
//   --refusal-stride K check only every K-th pair refused as over 4 GiB (default 1:
//                      all); each costs a process start, slow in a sanitizer build
//   --no-memory-limit  skip the out-of-memory check (a sanitizer build cannot run
//                      under an address-space limit)

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <iostream>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "tests/sweep/cli_run.h"
#include "tests/sweep/table_check.h"

namespace cog::sweep {
namespace {

constexpr int kMinTeethFloor = 6;
constexpr int kMaxTeethCeiling = 130;
constexpr std::int64_t kMaxTableBytes = 0xFFFFFFFF;
constexpr std::int64_t kEntryBytes = 9;
// Far less than the 1.1 GB table of the widest limits needs.
constexpr std::uint64_t kStarvedAddressSpace = 512ull << 20;

struct Options {
  std::string cli;
  std::int64_t max_slots = 2000000;
  int jobs = 2;
  int refusal_stride = 1;
  bool memory_limit = true;
};

enum class Expect { kTable, kTooLarge };

struct Pair {
  int min_teeth, max_teeth;
  Expect expect;
  std::int64_t slots;
};

struct Tally {
  std::mutex mutex;
  std::int64_t ascending = 0, descending = 0, adjacent = 0, too_large = 0, lines = 0;
  int failed = 0;
};

bool ParseOptions(int argc, char** argv, Options& options) {
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    const bool has_value = i + 1 < argc;
    if (a == "--cli" && has_value) {
      options.cli = argv[++i];
    } else if (a == "--max-slots" && has_value) {
      options.max_slots = std::stoll(argv[++i]);
    } else if (a == "--jobs" && has_value) {
      options.jobs = std::max(1, std::stoi(argv[++i]));
    } else if (a == "--refusal-stride" && has_value) {
      options.refusal_stride = std::max(1, std::stoi(argv[++i]));
    } else if (a == "--no-memory-limit") {
      options.memory_limit = false;
    } else {
      return false;
    }
  }
  return !options.cli.empty();
}

// Every pair the command line can give (MinTeeth 6..255, MaxTeeth 0..130) whose
// table is small enough to check or too large to create; the largest first, so
// the jobs end together.
std::vector<Pair> PairsToSweep(const Options& options, std::int64_t& skipped) {
  std::vector<Pair> pairs;
  int refusals = 0;
  for (int lo = kMinTeethFloor; lo <= 255; ++lo) {
    for (int hi = 0; hi <= kMaxTeethCeiling; ++hi) {
      const std::int64_t slots = ExpectedSlots(lo, hi);
      if (slots <= options.max_slots) {
        pairs.push_back({lo, hi, Expect::kTable, slots});
      } else if (slots * kEntryBytes > kMaxTableBytes) {
        if (refusals++ % options.refusal_stride == 0) {
          pairs.push_back({lo, hi, Expect::kTooLarge, 0});
        } else {
          ++skipped;
        }
      } else {
        ++skipped;
      }
    }
  }
  std::stable_sort(pairs.begin(), pairs.end(),
                   [](const Pair& a, const Pair& b) { return a.slots > b.slots; });
  return pairs;
}

CliRequest TableRequest(const std::string& cli, int min_teeth, int max_teeth) {
  return {cli, {"table", "--teeth", std::to_string(min_teeth), std::to_string(max_teeth)}, 0};
}

// A refusal: exit 3, nothing on standard output, the number and text on stderr.
std::vector<std::string> CheckRefusal(const CliRequest& request, const std::string& error) {
  std::int64_t lines = 0;
  const CliOutcome outcome = RunCliLines(request, [&](std::string_view) { ++lines; });
  std::vector<std::string> faults;
  if (outcome.exit_code != 3) faults.push_back("exit " + std::to_string(outcome.exit_code));
  if (lines != 0) faults.push_back("a table was printed");
  if (outcome.standard_error.find(error) == std::string::npos) {
    faults.push_back("stderr lacks \"" + error + "\": " + outcome.standard_error);
  }
  return faults;
}

std::vector<std::string> CheckTable(const Options& options, const Pair& pair, std::int64_t& lines) {
  TableCheck check(pair.min_teeth, pair.max_teeth);
  const CliOutcome outcome = RunCliLines(TableRequest(options.cli, pair.min_teeth, pair.max_teeth),
                                         [&](std::string_view line) { check.Line(line); });
  std::vector<std::string> faults = check.Finish();
  if (outcome.exit_code != 0) faults.push_back("exit " + std::to_string(outcome.exit_code));
  if (!outcome.standard_error.empty()) faults.push_back("stderr: " + outcome.standard_error);
  lines = check.lines();
  return faults;
}

void Report(Tally& tally, const std::string& what, const std::vector<std::string>& faults) {
  if (faults.empty()) return;
  std::lock_guard<std::mutex> lock(tally.mutex);
  ++tally.failed;
  std::cerr << "FAIL " << what << '\n';
  for (const std::string& f : faults) std::cerr << "    " << f << '\n';
}

void SweepOne(const Options& options, const Pair& pair, Tally& tally) {
  const std::string what =
      "--teeth " + std::to_string(pair.min_teeth) + " " + std::to_string(pair.max_teeth);
  std::int64_t lines = 0;
  const std::vector<std::string> faults =
      pair.expect == Expect::kTable
          ? CheckTable(options, pair, lines)
          : CheckRefusal(TableRequest(options.cli, pair.min_teeth, pair.max_teeth),
                         "error 9, Subscript/Pointer out of range");
  Report(tally, what, faults);
  std::lock_guard<std::mutex> lock(tally.mutex);
  tally.lines += lines;
  if (pair.expect == Expect::kTooLarge) {
    ++tally.too_large;
  } else if (pair.min_teeth <= pair.max_teeth) {
    ++tally.ascending;
  } else {
    ++tally.descending;
    if (pair.min_teeth == pair.max_teeth + 1) ++tally.adjacent;
  }
}

void Sweep(const Options& options, const std::vector<Pair>& pairs, Tally& tally) {
  std::atomic<std::size_t> next{0};
  std::vector<std::thread> workers;
  for (int j = 0; j < options.jobs; ++j) {
    workers.emplace_back([&] {
      for (std::size_t i; (i = next++) < pairs.size();) SweepOne(options, pairs[i], tally);
    });
  }
  for (std::thread& w : workers) w.join();
}

}  // namespace
}  // namespace cog::sweep

int main(int argc, char** argv) {
  using namespace cog::sweep;
  Options options;
  if (!ParseOptions(argc, argv, options)) {
    std::cerr << "usage: limits_sweep --cli PATH [--max-slots N] [--jobs N] [--refusal-stride K]"
                 " [--no-memory-limit]\n";
    return 2;
  }
  std::int64_t skipped = 0;
  const std::vector<Pair> pairs = PairsToSweep(options, skipped);
  Tally tally;
  Sweep(options, pairs, tally);
  if (options.memory_limit) {
    CliRequest starved = TableRequest(options.cli, kMinTeethFloor, kMaxTeethCeiling);
    starved.address_space_limit = kStarvedAddressSpace;
    Report(tally, "--teeth 6 130 in 512 MiB of address space",
           CheckRefusal(starved, "error 7, Out of memory"));
  }
  std::cout << "swept " << tally.ascending + tally.descending + tally.too_large
            << " tooth-limit pairs: " << tally.ascending << " with MinTeeth <= MaxTeeth, "
            << tally.descending << " with MinTeeth > MaxTeeth (" << tally.adjacent
            << " of them MinTeeth = MaxTeeth + 1), " << tally.too_large
            << " refused as over 4 GiB; " << tally.lines << " table lines checked; " << skipped
            << " pairs not swept (tables between " << options.max_slots
            << " slots and 4 GiB, refusals left out by the stride)\n";
  if (options.memory_limit) std::cout << "out-of-memory refusal checked\n";
  std::cout << (tally.failed == 0 ? "no faults\n" : std::to_string(tally.failed) + " FAILED\n");
  return tally.failed == 0 ? 0 : 1;
}
