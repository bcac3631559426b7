// The start-up notice. It is shown while the dialog is still hidden, before the
// table is built, so the dialog must not be visible while it is up. "3 200" is
// clamped to the largest table (6..130, 1.1 GB), which must open too.

#include <windows.h>

#include "tests/e2e/message_box.h"
#include "tests/e2e/program_run.h"
#include "tests/e2e/scenarios.h"
#include "tests/e2e/text_format.h"
#include "tests/e2e/window_find.h"

namespace cog::e2e {
namespace {

struct NoticeCase {
  const char* tail;
  const char* notice;  // null: no notice may appear
};

constexpr NoticeCase kNoticeCases[] = {
    {"16 50",
     "Using command line parameters\r\nMinimum teeth =  16\r\nMaximum teeth =  50\r\n"
     "Please allow up to several minutes to generate the ratio table."},
    {"3 200",
     "Using command line parameters\r\nMinimum teeth =  6\r\nMaximum teeth =  130\r\n"
     "Please allow up to several minutes to generate the ratio table."},
    {"   ", nullptr},
};

void CheckNotice(CheckLog& log, ProgramRun& run, const NoticeCase& c) {
  HWND notice = WaitForMessageBox(run.pid(), "Startup", kStartTimeoutMs);
  if (!notice) {
    log.Fatal("start-up notice appears", "none");
    return;
  }
  log.Equal("notice text", c.notice, MessageBoxText(notice));
  CheckPlainOkBox(log, notice);
  log.True("main dialog hidden while the notice is up", FindMainDialog(run.pid()) == nullptr);
  log.True("notice closes with OK", CloseMessageBox(notice));
  if (run.WaitForMainDialog()) run.CloseAndCheckExit();
}

void CheckNoNotice(CheckLog& log, ProgramRun& run) {
  HWND notice = nullptr;
  HWND dialog = nullptr;
  PollUntil(
      [&] {
        notice = FindDialogWindow(run.pid(), "Startup");
        dialog = FindMainDialog(run.pid());
        return notice || dialog || !run.process().Running();
      },
      kStartTimeoutMs);
  log.True("no start-up notice", notice == nullptr, "a \"Startup\" box appeared");
  if (notice) return;
  if (run.WaitForMainDialog()) run.CloseAndCheckExit();
}

}  // namespace

void CheckStartupNotices(const DriverPaths& paths, CheckLog& log) {
  const std::string scope = log.scope();
  for (const NoticeCase& c : kNoticeCases) {
    log.SetScope(scope + "/" + Quoted(c.tail));
    ProgramRun run(paths, c.tail, log);
    if (!run.process().started()) continue;
    if (c.notice) {
      CheckNotice(log, run, c);
    } else {
      CheckNoNotice(log, run);
    }
  }
  log.SetScope(scope);
}

}  // namespace cog::e2e
