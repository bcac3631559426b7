// The About box. Lines 2 and 4 and the first word of line 5 are worded by the
// program's author; they are read from the program and only their shape is
// checked. Every other line is fixed.

#include <windows.h>

#include <algorithm>
#include <string>
#include <vector>

#include "tests/e2e/dialog_table.h"
#include "tests/e2e/message_box.h"
#include "tests/e2e/program_run.h"
#include "tests/e2e/remote_dialog.h"
#include "tests/e2e/scenarios.h"
#include "tests/e2e/text_format.h"
#include "tests/e2e/window_find.h"

namespace cog::e2e {
namespace {

constexpr int kAboutLines = 33;
constexpr int kAuthorLine = 2;
constexpr int kNameLine = 4;
constexpr int kNameEndLine = 5;
constexpr const char* kNameEndRest =
    " The program is designed to assist prehistoric machinists still struggling";

struct FixedLine {
  int number;
  const char* text;
};

constexpr FixedLine kFixedLines[] = {
    {1, "Cogwright, 0.9 Beta"},
    {3, ""},
    {6, "with the selection of individual change gears, rather than the infinite possibilites"},
    {7, "offered by CNC controls."},
    {8, ""},
    {9, "The program will create a sorted list of all the possible gear ratios that can be"},
    {10, "obtained using two compound ratios. You will then enter a desired ratio and the"},
    {11, "program will search the list for the best match. The ratio might use gears that are"},
    {12, "not available, so you have the option of moving up and down the sorted list to find"},
    {13, "a suitable substitute. The error between the target and the actual will be displayed."},
    {14, ""},
    {15, "The current tooth limits are 16 and 72 teeth, giving ratios between .0494 and 20.25."},
    {16, "You can change the tooth limits by adding a minimum and maximum value on the"},
    {17, "command line that launches the program. The program is internally limited to"},
    {18, "130 teeth, as above that memory usage and processing time become unreasonable."},
    {19, ""},
    {20, "Single pair ratios are indicated whenever one of the compounds is 1:1, though it may"},
    {21, "require moving through quite a few combinations to locate these. They will be greyed."},
    {22, ""},
    {23, "Checking the Single Ratios Only box will eliminate the second compound as you search"},
    {24, "up and down, but Find will always return the best double compound match even if the"},
    {25, "box is checked."},
    {26, ""},
    {27, "Note that the large number of possible ratios makes the program memory intensive and"},
    {28, "older computers with limited speed and resources may not be suitable unless the gear"},
    {29, "table is limited to say, 16 and 50. Create a shortcut for the program and edit the"},
    {30, "target by adding 16 and 50 after the final quote mark. You can also go up to 130,"},
    {31, "but the load time might be several minutes, especially if the computer has to page"},
    {32, "from the hard drive. The program is still early in its development- I'll be improving"},
    {33, "it as time allows."},
};

// Splits at CR LF only; a lone CR or LF stays inside its line and shows up in
// the line comparisons.
std::vector<std::string> SplitCrLf(const std::string& text) {
  std::vector<std::string> lines(1);
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
      lines.emplace_back();
      ++i;
    } else {
      lines.back() += text[i];
    }
  }
  return lines;
}

bool HasEdgeBlanks(const std::string& line) {
  return !line.empty() && (line.front() == ' ' || line.back() == ' ');
}

void CheckWordedLines(CheckLog& log, const std::vector<std::string>& lines) {
  const std::string& author = lines[kAuthorLine - 1];
  const std::string& name = lines[kNameLine - 1];
  const std::string& name_end = lines[kNameEndLine - 1];
  log.True("line 2 (author's notice) has text", !author.empty() && !HasEdgeBlanks(author),
           Quoted(author));
  log.True("line 4 (origin of the name) has text", !name.empty() && !HasEdgeBlanks(name),
           Quoted(name));
  // One word with its full stop, then the fixed rest.
  const size_t rest = name_end.find(kNameEndRest);
  const std::string word = rest == std::string::npos ? "" : name_end.substr(0, rest);
  const bool shaped = rest != std::string::npos &&
                      rest + std::string(kNameEndRest).size() == name_end.size() &&
                      word.size() >= 2 && word.back() == '.' && word.find(' ') == std::string::npos;
  log.True("line 5 is one word, a full stop, then the fixed text", shaped, Quoted(name_end));
}

std::string OpenAbout(CheckLog& log, RemoteDialog& dialog, DWORD pid) {
  dialog.PostClick(IDC_ABOUT);
  HWND box = WaitForMessageBox(pid, "About", kWindowTimeoutMs);
  if (!box) {
    log.Fatal("About box appears", "none");
    return "";
  }
  const std::string text = MessageBoxText(box);
  CheckPlainOkBox(log, box);
  log.True("main dialog disabled while About is up", !IsWindowEnabled(dialog.hwnd()));
  log.True("About closes with OK", CloseMessageBox(box));
  log.True("main dialog enabled again",
           PollUntil([&] { return IsWindowEnabled(dialog.hwnd()) != FALSE; }, kWindowTimeoutMs));
  return text;
}

}  // namespace

void CheckAbout(const DriverPaths& paths, CheckLog& log) {
  // Limits other than the defaults: the text must not follow them.
  ProgramRun run(paths, "20 40", log);
  HWND notice = WaitForMessageBox(run.pid(), "Startup", kStartTimeoutMs);
  if (notice) CloseMessageBox(notice);
  HWND window = run.WaitForMainDialog();
  if (!window) return;
  RemoteDialog dialog(window);

  const std::string text = OpenAbout(log, dialog, run.pid());
  const std::vector<std::string> lines = SplitCrLf(text);
  log.Equal("About lines", kAboutLines, static_cast<long long>(lines.size()));
  // Every CR and every LF belongs to one of the 32 CR LF pairs.
  log.Equal("CR bytes in the About text", kAboutLines - 1,
            std::count(text.begin(), text.end(), '\r'));
  log.Equal("LF bytes in the About text", kAboutLines - 1,
            std::count(text.begin(), text.end(), '\n'));
  if (lines.size() == kAboutLines) {
    for (const FixedLine& fixed : kFixedLines)
      log.Equal("About line " + Dec(fixed.number), fixed.text, lines[fixed.number - 1]);
    CheckWordedLines(log, lines);
  }
  log.Equal("About text the second time", text, OpenAbout(log, dialog, run.pid()));
  run.CloseAndCheckExit();
}

}  // namespace cog::e2e
