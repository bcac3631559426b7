#include "tests/e2e/session_replay.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <memory>

#include "tests/e2e/dialog_table.h"
#include "tests/e2e/match_view.h"
#include "tests/e2e/message_box.h"
#include "tests/e2e/program_run.h"
#include "tests/e2e/remote_dialog.h"
#include "tests/e2e/text_format.h"
#include "tests/e2e/win_handles.h"

namespace cog::e2e {
namespace {

// Lines of a file without their line ends; empty when it cannot be read.
bool ReadLines(const std::string& path, std::vector<std::string>* lines) {
  std::unique_ptr<FILE, int (*)(FILE*)> file(std::fopen(path.c_str(), "rb"), std::fclose);
  if (!file) return false;
  std::string line;
  for (int c; (c = std::fgetc(file.get())) != EOF;) {
    if (c == '\n') {
      if (!line.empty() && line.back() == '\r') line.pop_back();
      lines->push_back(line);
      line.clear();
    } else {
      line += static_cast<char>(c);
    }
  }
  if (!line.empty()) lines->push_back(line);
  return true;
}

bool IsBlank(const std::string& text) {
  return std::all_of(text.begin(), text.end(), [](char c) { return c == ' '; });
}

int ButtonOf(const std::string& action) {
  if (action == "find") return IDC_FIND;
  if (action == "higher") return IDC_HIGHER;
  if (action == "lower") return IDC_LOWER;
  return 0;
}

int CheckBoxOf(const std::string& action) {
  if (action == "single") return IDC_SINGLE_ONLY;
  if (action == "even") return IDC_EVEN_ONLY;
  return 0;
}

// The dialog as the replay last saw it, against which a step that shows
// nothing is compared.
struct Shown {
  ResultTexts texts;
  std::string grey = "-";
};

class Replay {
 public:
  Replay(RemoteDialog& dialog, CheckLog& log, std::vector<std::string> expected)
      : dialog_(dialog), log_(log), expected_(std::move(expected)) {}

  // False when the replay cannot go on.
  bool Step(const std::string& label, const std::string& line) {
    const size_t space = line.find(' ');
    const std::string action = line.substr(0, space);
    const std::string argument = space == std::string::npos ? "" : line.substr(space + 1);
    if (action == "target") return SetTarget(label, argument);
    if (const int box = CheckBoxOf(action)) return SetCheckBox(label, box, argument == "1");
    if (const int button = ButtonOf(action)) return Press(label, button);
    log_.Fatal(label, "unknown action");
    return false;
  }

  void CheckAllExpectedUsed(const std::string& name) {
    log_.Equal(name + ": tool output lines replayed", static_cast<long long>(expected_.size()),
               static_cast<long long>(next_));
  }

 private:
  bool SetTarget(const std::string& label, const std::string& text) {
    if (dialog_.SetText(IDC_TARGET_RATIO, text)) return true;
    log_.Fatal(label, "the target box did not take the text");
    return false;
  }

  bool SetCheckBox(const std::string& label, int box, bool checked) {
    return SetCheckBoxShowingNothing(dialog_, log_, label, box, checked, shown_.texts);
  }

  bool Press(const std::string& label, int button) {
    if (next_ >= expected_.size()) {
      log_.Fatal(label, "the tool printed no line for this step");
      return false;
    }
    const std::vector<std::string> fields = SplitTabs(expected_[next_++]);
    if (!dialog_.Click(button)) {
      log_.Fatal(label, "no answer to the click");
      return false;
    }
    Shown want = shown_;
    if (fields[0] == "show" && fields.size() == 9) {
      std::copy(fields.begin() + 2, fields.begin() + 8, want.texts.begin());
      want.grey = fields[8];
    } else if (!(fields[0] == "keep" && fields.size() == 2)) {
      log_.Fatal(label, "unreadable tool output " + Quoted(expected_[next_ - 1]));
      return false;
    }
    shown_.texts = ReadResultTexts(dialog_);
    CheckResultTexts(log_, label, want.texts, shown_.texts);
    shown_.grey = ReadGreyPair(dialog_, want.grey);
    log_.Equal(label + ": grey pair", want.grey, shown_.grey);
    return true;
  }

  RemoteDialog& dialog_;
  CheckLog& log_;
  std::vector<std::string> expected_;
  size_t next_ = 0;
  Shown shown_;
};

}  // namespace

std::vector<std::string> SessionNames(const DriverPaths& paths) {
  std::vector<std::string> names;
  WIN32_FIND_DATAA found;
  HANDLE first = FindFirstFileA((paths.sessions_dir + "\\*.txt").c_str(), &found);
  if (first == INVALID_HANDLE_VALUE) return names;
  FindHandle search(first);
  do {
    const std::string file = found.cFileName;
    names.push_back(file.substr(0, file.size() - 4));
  } while (FindNextFileA(search.get(), &found));
  std::sort(names.begin(), names.end());
  return names;
}

void ReplaySession(const DriverPaths& paths, const std::string& name, CheckLog& log) {
  std::vector<std::string> actions, expected, args;
  if (!ReadLines(paths.sessions_dir + "\\" + name + ".txt", &actions) ||
      !ReadLines(paths.expected_dir + "\\" + name + ".out", &expected)) {
    log.Fatal(name + ": read the script and the tool's output", "missing file");
    return;
  }
  ReadLines(paths.sessions_dir + "\\" + name + ".args", &args);
  const std::string tail = args.empty() ? "" : args.front();

  ProgramRun run(paths, tail, log);
  if (!IsBlank(tail)) {
    HWND notice = WaitForMessageBox(run.pid(), "Startup", kStartTimeoutMs);
    if (!notice) {
      log.Fatal(name + ": start-up notice for " + Quoted(tail), "none appeared");
      return;
    }
    CloseMessageBox(notice);
  }
  HWND window = run.WaitForMainDialog();
  if (!window) return;
  RemoteDialog dialog(window);
  Replay replay(dialog, log, std::move(expected));
  for (size_t i = 0; i < actions.size(); ++i) {
    const std::string label =
        name + ".txt:" + Dec(static_cast<long long>(i + 1)) + " " + actions[i];
    if (!replay.Step(label, actions[i])) return;
  }
  replay.CheckAllExpectedUsed(name);
  run.CloseAndCheckExit();
}

}  // namespace cog::e2e
