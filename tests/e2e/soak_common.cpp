#include <cstdio>
#include <memory>

#include "tests/e2e/message_box.h"
#include "tests/e2e/soak.h"
#include "tests/e2e/text_format.h"

namespace cog::e2e {
namespace {

constexpr size_t kShownBytes = 48;
// Long enough for a walk over the largest table a soak uses.
constexpr UINT kAnswerTimeoutMs = 20000;

bool IsBlank(std::string_view text) { return text.find_first_not_of(' ') == std::string::npos; }

}  // namespace

HWND WaitForSoakDialog(ProgramRun& run, std::string_view tail, CheckLog& log) {
  if (!run.process().started()) return nullptr;
  if (!IsBlank(tail)) {
    HWND notice = WaitForMessageBox(run.pid(), "Startup", kStartTimeoutMs);
    if (!notice) {
      log.Fatal("start-up notice for " + Quoted(tail), "none appeared");
      return nullptr;
    }
    CloseMessageBox(notice);
  }
  return run.WaitForMainDialog();
}

bool ReadRawLines(const std::string& path, std::vector<std::string>* lines) {
  std::unique_ptr<FILE, int (*)(FILE*)> file(std::fopen(path.c_str(), "rb"), std::fclose);
  if (!file) return false;
  std::string line;
  for (int c; (c = std::fgetc(file.get())) != EOF;) {
    if (c == '\n') {
      lines->push_back(std::move(line));
      line.clear();
    } else {
      line += static_cast<char>(c);
    }
  }
  if (!line.empty()) lines->push_back(line);
  return true;
}

std::string Abridged(std::string_view line) {
  if (line.size() <= kShownBytes) return Quoted(line);
  return Quoted(line.substr(0, kShownBytes)) + "... (" + Dec(static_cast<long long>(line.size())) +
         " bytes)";
}

bool DialogAnswers(HWND dialog) {
  DWORD_PTR ignored = 0;
  return SendMessageTimeoutA(dialog, WM_NULL, 0, 0, SMTO_NORMAL, kAnswerTimeoutMs, &ignored) != 0;
}

}  // namespace cog::e2e
