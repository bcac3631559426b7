// Results that are known without the command-line tool: the landmarks of the
// default table (limits 16 and 72), one step after another in one run.

#include <windows.h>

#include "tests/e2e/dialog_table.h"
#include "tests/e2e/match_view.h"
#include "tests/e2e/program_run.h"
#include "tests/e2e/remote_dialog.h"
#include "tests/e2e/scenarios.h"
#include "tests/e2e/text_format.h"

namespace cog::e2e {
namespace {

struct KnownResult {
  const char* label;
  const char* target;  // text put into the target box first; null: left as it is
  int button;
  const char* actual;
  const char* gears[4];
  const char* error;  // null: not known literally (the session replay covers it)
  const char* grey;
};

constexpr KnownResult kKnownResults[] = {
    {"Find with the initial text",
     nullptr,
     IDC_FIND,
     "0.123446",
     {"19", "59", "23", "60"},
     "-0.0030%",
     "-"},
    {"Find 0.5", "0.5", IDC_FIND, "0.5", {"36", "72", "19", "19"}, "0.0000%", "34"},
    {"Lower from 0.5 (no 1:1 pair)",
     nullptr,
     IDC_LOWER,
     "0.5",
     {"35", "69", "69", "70"},
     nullptr,
     "-"},
    {"Find 100", "100", IDC_FIND, "20.25", {"72", "16", "72", "16"}, nullptr, "-"},
    {"Find 20.25", "20.25", IDC_FIND, "20.25", {"72", "16", "72", "16"}, "0.0000%", "-"},
    {"Find abc", "abc", IDC_FIND, "0.", {"0", "0", "0", "0"}, "999.9999%", "12"},
    {"Find 0.5 again", "0.5", IDC_FIND, "0.5", {"36", "72", "19", "19"}, "0.0000%", "34"},
    {"Find with empty text", "", IDC_FIND, "0.", {"0", "0", "0", "0"}, "999.9999%", "12"},
    {"Higher from the zero slot",
     nullptr,
     IDC_HIGHER,
     "0.049383",
     {"16", "72", "16", "72"},
     "100.0000%",
     "-"},
};

}  // namespace

void CheckFindLiterals(const DriverPaths& paths, CheckLog& log) {
  ProgramRun run(paths, "", log);
  HWND window = run.WaitForMainDialog();
  if (!window) return;
  RemoteDialog dialog(window);
  log.Equal("target box at start", "0.12345", dialog.Text(IDC_TARGET_RATIO));
  const ResultTexts empty{};
  CheckResultTexts(log, "before any Find", empty, ReadResultTexts(dialog));

  for (const KnownResult& known : kKnownResults) {
    const std::string label = known.label;
    if (known.target && !dialog.SetText(IDC_TARGET_RATIO, known.target)) {
      log.Fatal(label, "the target box did not take the text");
      return;
    }
    if (!dialog.Click(known.button)) {
      log.Fatal(label, "no answer to the click");
      return;
    }
    const ResultTexts seen = ReadResultTexts(dialog);
    const ResultTexts want{known.actual,   known.gears[0], known.gears[1],
                           known.gears[2], known.gears[3], known.error ? known.error : ""};
    CheckResultTexts(log, label, want, seen, known.error != nullptr);
    log.Equal(label + ": grey pair", known.grey, ReadGreyPair(dialog, known.grey));
  }
  run.CloseAndCheckExit();
}

}  // namespace cog::e2e
