#pragma once
// What a match puts on the screen: the six result texts and which gear pair,
// if any, is greyed. The grey pair is read from the screen's pixels.

#include <windows.h>

#include <array>
#include <string>
#include <string_view>

#include "tests/e2e/check_log.h"
#include "tests/e2e/remote_dialog.h"

namespace cog::e2e {

inline constexpr COLORREF kGreyPair = RGB(192, 192, 192);

// In the order IDC_ACTUAL_RATIO, IDC_GEAR1..4, IDC_ERROR.
using ResultTexts = std::array<std::string, 6>;

ResultTexts ReadResultTexts(const RemoteDialog& dialog);

// Compares the six texts (the first five when `with_error` is false), naming
// each box in a failure.
void CheckResultTexts(CheckLog& log, std::string_view step, const ResultTexts& expected,
                      const ResultTexts& actual, bool with_error = true);

// Sets a check box by clicking it when it differs, then checks its state and
// that the six texts stayed `shown`: a check box alone displays nothing. False
// when the dialog does not answer the click.
bool SetCheckBoxShowingNothing(RemoteDialog& dialog, CheckLog& log, const std::string& label,
                               int box, bool checked, const ResultTexts& shown);

// Waits until the gear boxes paint as `expected` says ("12": the first pair
// grey, "34": the second, "-": none) and returns `expected`; if they never do,
// returns the colours seen, box by box. Other boxes must show the normal
// background of a read-only box, COLOR_BTNFACE.
std::string ReadGreyPair(const RemoteDialog& dialog, std::string_view expected);

}  // namespace cog::e2e
