#include "tests/e2e/pose.h"

#include <windows.h>

#include "tests/e2e/check_log.h"
#include "tests/e2e/dialog_table.h"
#include "tests/e2e/program_run.h"
#include "tests/e2e/remote_dialog.h"
#include "tests/e2e/text_format.h"
#include "tests/e2e/window_find.h"

namespace cog::e2e {
namespace {

constexpr DWORD kHoldTimeoutMs = 60000;
constexpr DWORD kPaintSettleMs = 500;

bool FileExists(const std::string& path) {
  return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

}  // namespace

int PoseAfterFind(const DriverPaths& paths, const std::string& target,
                  const std::string& release_file) {
  CheckLog log;
  log.SetScope("pose");
  ProgramRun run(paths, "", log);
  HWND window = run.WaitForMainDialog();
  if (!window) return 1;
  RemoteDialog dialog(window);
  dialog.SetText(IDC_TARGET_RATIO, target);
  dialog.Click(IDC_FIND);
  // The new texts paint once the program's queue has run empty.
  dialog.Barrier();
  PollUntil([] { return false; }, kPaintSettleMs);
  RECT r{};
  GetWindowRect(window, &r);
  PrintLine("dialog " + Dec(r.left) + " " + Dec(r.top) + " " + Dec(r.right) + " " + Dec(r.bottom));
  PollUntil([&] { return FileExists(release_file); }, kHoldTimeoutMs);
  run.CloseAndCheckExit();
  return log.failed() == 0 ? 0 : 1;
}

}  // namespace cog::e2e
