#include "tests/e2e/startup_bench.h"

#include <windows.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "tests/e2e/check_log.h"
#include "tests/e2e/child_process.h"
#include "tests/e2e/message_box.h"
#include "tests/e2e/program_run.h"
#include "tests/e2e/text_format.h"

namespace cog::e2e {
namespace {

double Milliseconds(LONGLONG ticks) {
  LARGE_INTEGER frequency;
  QueryPerformanceFrequency(&frequency);
  return 1000.0 * static_cast<double>(ticks) / static_cast<double>(frequency.QuadPart);
}

LONGLONG Now() {
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  return now.QuadPart;
}

// "123.4 ms": tenths are as fine as a 1 ms poll can tell.
std::string MsText(double milliseconds) {
  const auto tenths = static_cast<long long>(std::llround(milliseconds * 10));
  return Dec(tenths / 10) + "." + Dec(tenths % 10) + " ms";
}

// Time to the visible dialog, or a negative value when it never showed. The
// poll is tighter than the scenarios' 10 ms so that the figure means something.
// With a command tail the clock starts when the start-up notice is closed, so
// the figure is the table build and the dialog, not how fast anyone clicks OK.
double TimeOneStart(const DriverPaths& paths, const std::string& tail) {
  LONGLONG start = Now();
  ChildProcess child(paths.exe, tail);
  if (!child.started()) return -1;
  if (!tail.empty()) {
    HWND notice = WaitForMessageBox(child.pid(), "Startup", kStartTimeoutMs);
    if (!notice) return -1;
    start = Now();
    if (!CloseMessageBox(notice)) return -1;
  }
  HWND dialog = nullptr;
  while (!(dialog = FindMainDialog(child.pid())) && child.Running() &&
         Milliseconds(Now() - start) < kStartTimeoutMs) {
    Sleep(1);
  }
  const double elapsed = Milliseconds(Now() - start);
  if (!dialog) return -1;
  PostMessageA(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
  DWORD code = 0;
  return child.WaitExit(kWindowTimeoutMs, &code) ? elapsed : -1;
}

double Median(std::vector<double> sorted) {
  const size_t middle = sorted.size() / 2;
  return sorted.size() % 2 ? sorted[middle] : (sorted[middle - 1] + sorted[middle]) / 2;
}

}  // namespace

int BenchStartup(const DriverPaths& paths, int runs, const std::string& tail) {
  const std::string from = tail.empty() ? "start-up" : "notice closed";
  std::vector<double> times;
  for (int run = 1; run <= runs; ++run) {
    const double elapsed = TimeOneStart(paths, tail);
    if (elapsed < 0) {
      PrintLine(from + " run " + Dec(run) +
                ": the dialog did not show, or the program did not end");
      return 1;
    }
    PrintLine(from + " run " + Dec(run) + ": " + MsText(elapsed));
    times.push_back(elapsed);
  }
  std::sort(times.begin(), times.end());
  PrintLine(from + " to visible dialog over " + Dec(runs) + " runs: min " + MsText(times.front()) +
            ", median " + MsText(Median(times)) + ", max " + MsText(times.back()));
  return 0;
}

}  // namespace cog::e2e
