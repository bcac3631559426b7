// Limits whose table cannot be created: -5 reads as the byte 251, which stays
// above the floor, so with 72 the pair count is (72 - 251 + 1)^2 and the table's
// byte size does not fit in 32 bits (error 9).

#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "tests/e2e/message_box.h"
#include "tests/e2e/program_run.h"
#include "tests/e2e/scenarios.h"
#include "tests/e2e/text_format.h"

namespace cog::e2e {
namespace {

constexpr const char* kTail = "-5 72";
constexpr const char* kNotice =
    "Using command line parameters\r\nMinimum teeth =  251\r\nMaximum teeth =  72\r\n"
    "Please allow up to several minutes to generate the ratio table.";
constexpr const char* kErrorText = "Subscript/Pointer out of range";
constexpr DWORD kFailureExitCode = 3;

// The runs of decimal digits in `text`, so that "9" is found as a number and
// not as a digit of something else.
std::vector<std::string> Numbers(const std::string& text) {
  std::vector<std::string> numbers;
  std::string current;
  for (char c : text + " ") {
    if (c >= '0' && c <= '9') {
      current += c;
    } else if (!current.empty()) {
      numbers.push_back(current);
      current.clear();
    }
  }
  return numbers;
}

bool Contains(const std::vector<std::string>& numbers, const char* number) {
  return std::find(numbers.begin(), numbers.end(), number) != numbers.end();
}

}  // namespace

void CheckTableFailure(const DriverPaths& paths, CheckLog& log) {
  ProgramRun run(paths, kTail, log);
  if (!run.process().started()) return;
  HWND notice = WaitForMessageBox(run.pid(), "Startup", kStartTimeoutMs);
  if (!notice) {
    log.Fatal("start-up notice appears", "none");
    return;
  }
  log.Equal("notice text", kNotice, MessageBoxText(notice));
  CloseMessageBox(notice);

  HWND box = WaitForMessageBox(run.pid(), "Cogwright", kStartTimeoutMs);
  if (!box) {
    DWORD code = 0;
    log.Fatal("error box appears", run.process().WaitExit(0, &code)
                                       ? "process ended with code " + Dec(code)
                                       : std::string("none"));
    return;
  }
  const std::string text = MessageBoxText(box);
  const std::vector<std::string> numbers = Numbers(text);
  log.True("error box names error 9", Contains(numbers, "9"), Quoted(text));
  log.True("error box names the error text", text.find(kErrorText) != std::string::npos,
           Quoted(text));
  log.True("error box names MinTeeth 251", Contains(numbers, "251"), Quoted(text));
  log.True("error box names MaxTeeth 72", Contains(numbers, "72"), Quoted(text));
  // An icon is allowed here: only the notice and the About box must show none.
  CheckPlainOkBox(log, box, IconRule::kAny);
  log.True("no main dialog shown", FindMainDialog(run.pid()) == nullptr);
  log.True("error box closes with OK", CloseMessageBox(box));
  DWORD code = 0;
  if (!run.process().WaitExit(kWindowTimeoutMs, &code)) {
    log.Fatal("process ends after the error box", "still running");
    return;
  }
  log.Equal("exit code after a failed table", kFailureExitCode, code);
}

}  // namespace cog::e2e
