#include "tests/e2e/match_view.h"

#include "tests/e2e/dialog_table.h"
#include "tests/e2e/screen_pixels.h"

namespace cog::e2e {
namespace {

constexpr const char* kResultNames[] = {"IDC_ACTUAL_RATIO", "IDC_GEAR1", "IDC_GEAR2",
                                        "IDC_GEAR3",        "IDC_GEAR4", "IDC_ERROR"};
// Painting follows the text change through the program's message loop.
constexpr DWORD kPaintTimeoutMs = 3000;

bool Greyed(std::string_view pair, int gear) {
  return (pair == "12" && gear < 2) || (pair == "34" && gear >= 2);
}

}  // namespace

ResultTexts ReadResultTexts(const RemoteDialog& dialog) {
  ResultTexts texts;
  for (size_t i = 0; i < texts.size(); ++i) texts[i] = dialog.Text(kResultBoxes[i]);
  return texts;
}

void CheckResultTexts(CheckLog& log, std::string_view step, const ResultTexts& expected,
                      const ResultTexts& actual, bool with_error) {
  const size_t count = with_error ? expected.size() : expected.size() - 1;
  for (size_t i = 0; i < count; ++i)
    log.Equal(std::string(step) + ": " + kResultNames[i], expected[i], actual[i]);
}

std::string ReadGreyPair(const RemoteDialog& dialog, std::string_view expected) {
  const COLORREF normal = GetSysColor(COLOR_BTNFACE);
  std::string seen;
  bool as_expected = true;
  for (int gear = 0; gear < 4; ++gear) {
    const COLORREF want = Greyed(expected, gear) ? kGreyPair : normal;
    const COLORREF got = WaitForBackground(dialog.Item(kGearBoxes[gear]), want, kPaintTimeoutMs);
    as_expected = as_expected && got == want;
    seen += std::string(gear ? ", " : "") + kResultNames[gear + 1] + " " + ColourText(got);
  }
  return as_expected ? std::string(expected) : seen;
}

bool SetCheckBoxShowingNothing(RemoteDialog& dialog, CheckLog& log, const std::string& label,
                               int box, bool checked, const ResultTexts& shown) {
  if ((dialog.CheckState(box) == BST_CHECKED) != checked && !dialog.Click(box)) {
    log.Fatal(label, "no answer to the click");
    return false;
  }
  log.Equal(label + ": check state", checked ? BST_CHECKED : BST_UNCHECKED, dialog.CheckState(box));
  CheckResultTexts(log, label + " (a check box shows nothing)", shown, ReadResultTexts(dialog));
  return true;
}

}  // namespace cog::e2e
