#include <algorithm>

#include "tests/e2e/dialog_table.h"
#include "tests/e2e/gdi_count.h"
#include "tests/e2e/match_view.h"
#include "tests/e2e/remote_dialog.h"
#include "tests/e2e/soak.h"
#include "tests/e2e/text_format.h"

namespace cog::e2e {
namespace {

// Reading the grey pair from screen pixels waits for painting: only now and then.
constexpr std::uint32_t kPixelEveryActions = 50;
// GDI counts taken over the run besides the first and the last.
constexpr std::uint32_t kGdiSamples = 8;
// Above the settled start a sample may hold the two brushes of a greyed gear
// pair (made when the pair greys, deleted when it clears) and a few objects
// Wine's controls make once on first use (one seen); a leak of one object per
// match passes this within a few dozen actions.
constexpr long kGdiSlack = 6;
// The dialog is visible before its controls have painted, and painting makes
// Wine realize fonts and DCs: the count at first sight is about half the
// count a moment later. The start is the count once it stops moving.
constexpr int kSettleReads = 3;
constexpr DWORD kSettleStepMs = 100;
constexpr int kSettleMaxSteps = 50;

// Where two texts first differ, for a report that cannot print 30,000 bytes.
std::string Difference(const std::string& want, const std::string& got) {
  const auto mismatch = std::mismatch(want.begin(), want.end(), got.begin(), got.end());
  return "set " + Dec(static_cast<long long>(want.size())) + " bytes, holds " +
         Dec(static_cast<long long>(got.size())) + ", first difference at byte " +
         Dec(mismatch.first - want.begin());
}

class SoakReplay {
 public:
  SoakReplay(RemoteDialog& dialog, CheckLog& log, std::vector<std::string> expected)
      : dialog_(dialog), log_(log), expected_(std::move(expected)) {}

  // False when the replay cannot go on.
  bool Step(std::uint32_t index, const std::string& label, const std::string& line) {
    const size_t space = line.find(' ');
    const std::string action = line.substr(0, space);
    const std::string argument = space == std::string::npos ? "" : line.substr(space + 1);
    if (action == "target") return SetTarget(label, argument);
    if (action == "single") return SetCheckBox(label, IDC_SINGLE_ONLY, argument == "1");
    if (action == "even") return SetCheckBox(label, IDC_EVEN_ONLY, argument == "1");
    if (action == "find") return Press(index, label, IDC_FIND);
    if (action == "higher") return Press(index, label, IDC_HIGHER);
    if (action == "lower") return Press(index, label, IDC_LOWER);
    log_.Fatal(label, "unknown action");
    return false;
  }

  size_t expected_used() const { return next_; }
  long long pixel_reads() const { return pixel_reads_; }

 private:
  bool SetTarget(const std::string& label, const std::string& text) {
    if (!dialog_.SetText(IDC_TARGET_RATIO, text)) {
      log_.Fatal(label, "the target box did not take the text");
      return false;
    }
    const std::string held = dialog_.Text(IDC_TARGET_RATIO);
    log_.True(label + ": the box holds the text", held == text, Difference(text, held));
    return true;
  }

  bool SetCheckBox(const std::string& label, int box, bool checked) {
    return SetCheckBoxShowingNothing(dialog_, log_, label, box, checked, shown_);
  }

  bool Press(std::uint32_t index, const std::string& label, int button) {
    if (next_ >= expected_.size()) {
      log_.Fatal(label, "the tool printed no line for this step");
      return false;
    }
    const std::string& line = expected_[next_++];
    const std::vector<std::string> fields = SplitTabs(line);
    if (!dialog_.Click(button)) {
      log_.Fatal(label, "no answer to the click");
      return false;
    }
    ResultTexts want = shown_;
    if (fields[0] == "show" && fields.size() == 9) {
      std::copy(fields.begin() + 2, fields.begin() + 8, want.begin());
      grey_ = fields[8];
    } else if (!(fields[0] == "keep" && fields.size() == 2)) {
      log_.Fatal(label, "unreadable tool output " + Quoted(line));
      return false;
    }
    shown_ = ReadResultTexts(dialog_);
    CheckResultTexts(log_, label, want, shown_);
    if (index >= next_pixel_index_) {
      next_pixel_index_ = index + kPixelEveryActions;
      ++pixel_reads_;
      log_.Equal(label + ": grey pair (screen)", grey_, ReadGreyPair(dialog_, grey_));
    }
    return true;
  }

  RemoteDialog& dialog_;
  CheckLog& log_;
  std::vector<std::string> expected_;
  size_t next_ = 0;
  ResultTexts shown_;
  std::string grey_ = "-";
  std::uint32_t next_pixel_index_ = 0;
  long long pixel_reads_ = 0;
};

std::string Seconds(ULONGLONG milliseconds) {
  const std::string thousandths = Dec(static_cast<long long>(milliseconds % 1000));
  return Dec(static_cast<long long>(milliseconds / 1000)) + "." +
         std::string(3 - thousandths.size(), '0') + thousandths + " s";
}

std::string Joined(const std::vector<long>& values) {
  std::string text;
  for (long value : values) text += (text.empty() ? "" : " ") + Dec(value);
  return text;
}

long SettledCount(GdiCounter& counter) {
  long last = counter.Count();
  for (int step = 0, same = 1; step < kSettleMaxSteps && same < kSettleReads; ++step) {
    Sleep(kSettleStepMs);
    const long now = counter.Count();
    same = now == last ? same + 1 : 1;
    last = now;
  }
  return last;
}

// Leaks show as growth: every sample must stay within the slack of the first.
void CheckGdiFlat(CheckLog& log, const GdiCounter& counter, const std::vector<long>& samples) {
  if (!log.True("GDI objects can be counted", counter.usable() && samples.front() >= 0,
                counter.problem()))
    return;
  const long highest = *std::max_element(samples.begin(), samples.end());
  const bool all_read = std::find(samples.begin(), samples.end(), -1) == samples.end();
  log.True("every GDI count was read", all_read, Joined(samples));
  log.True("GDI objects stay within " + Dec(kGdiSlack) + " of the start",
           highest <= samples.front() + kGdiSlack, Joined(samples));
}

}  // namespace

int RunSoak(const DriverPaths& paths, const SoakOptions& options) {
  CheckLog log;
  log.SetScope("soak");
  std::vector<std::string> actions, expected;
  if (!ReadRawLines(options.script, &actions) || !ReadRawLines(options.expected, &expected)) {
    log.Fatal("read " + options.script + " and " + options.expected, "missing file");
    log.PrintSummary();
    return 1;
  }
  const ULONGLONG started = GetTickCount64();
  ProgramRun run(paths, options.tail, log);
  HWND window = WaitForSoakDialog(run, options.tail, log);
  if (!window) {
    log.PrintSummary();
    return 1;
  }
  RemoteDialog dialog(window);
  GdiCounter gdi(run.pid(), window, paths.hook_dll);
  const long first_sight = gdi.Count();
  std::vector<long> samples{SettledCount(gdi)};
  const std::uint32_t sample_every =
      std::max<std::uint32_t>(1, static_cast<std::uint32_t>(actions.size()) / (kGdiSamples + 1));
  const auto expected_count = static_cast<long long>(expected.size());
  SoakReplay replay(dialog, log, std::move(expected));
  std::uint32_t run_count = 0;
  long long mismatches = 0;
  for (std::uint32_t i = 0; i < actions.size(); ++i) {
    const std::string label = "soak:" + Dec(i + 1) + " " + Abridged(actions[i]);
    const int failed_before = log.failed();
    const bool went_on = replay.Step(i, label, actions[i]);
    const bool answers = log.True(label + ": the dialog answers", DialogAnswers(window));
    ++run_count;
    mismatches += log.failed() != failed_before ? 1 : 0;
    if (!went_on || !answers) break;
    if ((i + 1) % sample_every == 0 && i + 1 < actions.size()) samples.push_back(gdi.Count());
  }
  samples.push_back(gdi.Count());
  log.Equal("tool output lines replayed", expected_count,
            static_cast<long long>(replay.expected_used()));
  CheckGdiFlat(log, gdi, samples);
  run.CloseAndCheckExit();
  PrintLine("soak: actions run " + Dec(run_count) + " of " +
            Dec(static_cast<long long>(actions.size())) + ", mismatches " + Dec(mismatches) +
            ", grey pairs read from the screen " + Dec(replay.pixel_reads()));
  PrintLine("soak: GDI objects when the dialog first showed " + Dec(first_sight) +
            ", once painted (the start) " + Dec(samples.front()) + ", at end " +
            Dec(samples.back()) + " (" + gdi.method() + "; all samples: " + Joined(samples) +
            "; allowed above the start: " + Dec(kGdiSlack) + ")");
  PrintLine("soak: wall time " + Seconds(GetTickCount64() - started));
  log.PrintSummary();
  return log.failed() == 0 ? 0 : 1;
}

}  // namespace cog::e2e
