// Start-up in a process that cannot have the memory for its table: the run
// reports error 7 to the caller, which must end it, and leaves no table to use.

#include <gtest/gtest.h>
#include <sys/resource.h>
#include <unistd.h>

#include <cstdint>
#include <fstream>
#include <string>

#include "ui/dialog_actions.h"
#include "ui/testing/recording_port.h"

#if defined(__SANITIZE_ADDRESS__)
#define COG_ADDRESS_SANITIZER 1
#elif defined(__has_feature)
#if __has_feature(address_sanitizer)
#define COG_ADDRESS_SANITIZER 1
#endif
#endif

namespace cog {
namespace {

using testing::RecordingPort;

// Far below the 1.1 GB of the widest table, far above the small ones.
constexpr std::uint64_t kHeadroom = 512ull << 20;

// Caps the address space of this process at what it uses now plus a headroom,
// and lifts the cap again when it goes out of scope.
class AddressSpaceCap {
 public:
  explicit AddressSpaceCap(std::uint64_t headroom) {
    std::uint64_t pages = 0;
    std::ifstream("/proc/self/statm") >> pages;
    applied_ = pages != 0 && getrlimit(RLIMIT_AS, &saved_) == 0;
    if (!applied_) return;
    rlimit capped = saved_;
    capped.rlim_cur = pages * static_cast<std::uint64_t>(sysconf(_SC_PAGESIZE)) + headroom;
    applied_ = setrlimit(RLIMIT_AS, &capped) == 0;
  }
  AddressSpaceCap(const AddressSpaceCap&) = delete;
  AddressSpaceCap& operator=(const AddressSpaceCap&) = delete;
  ~AddressSpaceCap() {
    if (applied_) setrlimit(RLIMIT_AS, &saved_);
  }
  bool applied() const { return applied_; }

 private:
  rlimit saved_{};
  bool applied_ = false;
};

TEST(StartupFailureTest, TooLittleMemoryIsReportedAfterTheNotice) {
#ifdef COG_ADDRESS_SANITIZER
  GTEST_SKIP() << "AddressSanitizer cannot run under an address-space limit";
#endif
  const struct {
    std::string tail;
    RunError error;
    std::size_t slots;  // of a table that was built
  } cases[] = {
      {"6 130", RunError::kOutOfMemory, 0},          // 122,078,126 slots, 1.1 GB
      {"3 200", RunError::kOutOfMemory, 0},          // clamped to the same limits
      {"-5 72", RunError::kSubscriptOutOfRange, 0},  // over 4 GiB whatever the memory
      {"20 21", RunError::kNone, 11},                // a small table still fits
  };
  for (const auto& c : cases) {
    AddressSpaceCap cap(kHeadroom);
    ASSERT_TRUE(cap.applied());
    AppState state;
    RecordingPort port;
    EXPECT_EQ(StartupInit(port, state, c.tail), c.error) << c.tail;
    // The notice comes first: the user was told the limits before the failure.
    ASSERT_EQ(port.messages().size(), 1u) << c.tail;
    EXPECT_EQ(port.messages()[0].caption, "Startup");
    EXPECT_EQ(state.Tables.RatioTable.created(), c.error == RunError::kNone) << c.tail;
    EXPECT_EQ(state.Tables.RatioTable.size(), c.slots) << c.tail;
  }
}

}  // namespace
}  // namespace cog
