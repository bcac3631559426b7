#include <cstdio>
#include <memory>

#include "tests/e2e/dialog_table.h"
#include "tests/e2e/random_script.h"
#include "tests/e2e/remote_dialog.h"
#include "tests/e2e/soak.h"
#include "tests/e2e/text_format.h"

namespace cog::e2e {
namespace {

constexpr std::string_view kTargetWord = "target";

bool WriteLines(const std::string& path, const std::vector<std::string>& lines) {
  std::unique_ptr<FILE, int (*)(FILE*)> file(std::fopen(path.c_str(), "wb"), std::fclose);
  if (!file) return false;
  for (const std::string& line : lines) {
    if (std::fwrite(line.data(), 1, line.size(), file.get()) != line.size() ||
        std::fputc('\n', file.get()) == EOF)
      return false;
  }
  return std::fflush(file.get()) == 0;
}

// The target action for the text the box holds after `line` put its text in.
// Empty when the box could not be set or read, or holds what a line cannot carry.
bool HeldTarget(RemoteDialog& dialog, const std::string& line, std::string* held_line,
                bool* differs, CheckLog& log) {
  const std::string text =
      line.size() > kTargetWord.size() ? line.substr(kTargetWord.size() + 1) : "";
  if (!dialog.SetText(IDC_TARGET_RATIO, text) || !DialogAnswers(dialog.hwnd())) {
    log.Fatal("set the target box to " + Abridged(text), "no answer");
    return false;
  }
  const std::string held = dialog.Text(IDC_TARGET_RATIO);
  if (held.find('\n') != std::string::npos) {
    log.Fatal("target box after " + Abridged(text), "holds a line feed: " + Abridged(held));
    return false;
  }
  *differs = held != text;
  *held_line = held.empty() && line == kTargetWord ? line : "target " + held;
  return true;
}

}  // namespace

int MakeSoakScript(const DriverPaths& paths, const SoakOptions& options) {
  CheckLog log;
  log.SetScope("soak script");
  ProgramRun run(paths, options.tail, log);
  HWND window = WaitForSoakDialog(run, options.tail, log);
  if (!window) return 1;
  RemoteDialog dialog(window);
  RandomScript random(options.seed);
  std::vector<std::string> lines;
  long long changed = 0;
  for (std::uint32_t i = 0; i < options.actions; ++i) {
    std::string line = random.NextAction();
    bool differs = false;
    if (line.starts_with(kTargetWord) && !HeldTarget(dialog, line, &line, &differs, log)) return 1;
    changed += differs ? 1 : 0;
    lines.push_back(std::move(line));
  }
  run.CloseAndCheckExit();
  if (!WriteLines(options.script, lines)) {
    log.Fatal("write " + options.script, "cannot write the file");
    return 1;
  }
  PrintLine("soak: " + Dec(options.actions) + " actions from seed " + Dec(options.seed) +
            " written to " + options.script +
            "; target texts the box held differently: " + Dec(changed));
  return log.failed() == 0 ? 0 : 1;
}

}  // namespace cog::e2e
