#pragma once
// The text of each workshop figure, and the escapes each output format needs:
// the one place a row's error, lead, fit or gear list is worded, for the
// command-line tool and the page alike.

#include <optional>
#include <string>
#include <vector>

#include "gears/fraction.h"
#include "lathe/profile.h"
#include "lathe/thread_answer.h"
#include "lathe/train_search.h"
#include "report/row_numbers.h"

namespace cog {

// "simple", "compound" or "six".
const char* KindName(TrainKind kind);

// The gear order of a kind, as the legend names it: "A I D", "A B C D", "A B C D E F".
const char* GearOrder(TrainKind kind);

// value with `decimals` digits after the point; with `sign`, "+" before a
// positive value unless every digit shown is 0.
std::string FixedFigure(double value, int decimals, bool sign = false);

// "exact", or the error in percent with 4 decimals and its sign ("+0.0134%").
std::string ErrorPercent(const RowNumbers& n);

// Tooth counts joined by `separator`: "40 24 30 127".
std::string GearList(const std::vector<int>& gears, const char* separator = " ");

// The gearbox position's name, or "" when the profile has no gearbox.
std::string GearboxName(const LatheProfile& profile, int gearbox);

// "yes", "NO", or "-" when the fit is not checked.
std::string FitsWord(const std::optional<bool>& fits);

// The hand a row cuts: "right" or "left", in capitals ("LEFT") when it is
// not the hand asked for, as plain as a train that does not fit.
std::string HandWord(Hand cuts, bool asked_for);

// "right" or "left": for CSV and JSON.
const char* HandName(Hand hand);

// "true", "false", or "" when unknown: for CSV.
std::string CsvBool(const std::optional<bool>& value);

// One CSV cell of free text (a name from the user): control characters
// escaped as in text output (\x0d), quoted when it holds a comma or quote, and
// with a leading apostrophe when it would start a spreadsheet formula (=, +,
// - or @).
std::string CsvCell(const std::string& text);

// Text for HTML element content and attribute values.
std::string HtmlText(const std::string& text);

// One Markdown table cell: pipes, backslashes, brackets, parentheses and !
// escaped (no link or image can be made of it), line breaks as blanks, and
// HTML's special characters as entities.
std::string MarkdownCell(const std::string& text);

// "this train cuts a right-hand thread here, not the left-hand thread asked
// for: ...", or "" when the row cuts the target's hand.
std::string OtherHandNote(const LatheProfile& profile, const Target& target, const TrainRow& row);

// Why a target has no train (`none` is not kNone), as a chart's line gives
// it: "none within 1 %", "5 gears make no six-gear train, the only kind that
// cuts left-hand on this lathe"; the sentence of NoTrainText says the same.
std::string NoTrainCause(const LatheProfile& profile, const Target& target, NoTrain none);

// Why there is no row, as a sentence ("No train within 1 % (the
// nearest is 2.3456 % off)"); `more` is set when asking for all rows would
// show some.
std::string NoTrainText(const LatheProfile& profile, const Target& target,
                        const ThreadAnswer& answer, bool* more);

}  // namespace cog
