#include "ui/dialog_actions.h"

#include "engine/best_match.h"
#include "numtext/number_reader.h"
#include "ui/about_text.h"
#include "ui/dialog_ids.h"
#include "ui/match_description.h"
#include "ui/startup_notice.h"

namespace cog {
namespace {

constexpr int kGearIds[] = {IDC_GEAR1, IDC_GEAR2, IDC_GEAR3, IDC_GEAR4};

void GreyBoxes(DialogPort& dialog, int top_id, int bottom_id) {
  dialog.SetControlColors(top_id, kBlack, kGreyColor);
  dialog.SetControlColors(bottom_id, kBlack, kGreyColor);
}

}  // namespace

RunError StartupInit(DialogPort& dialog, AppState& state, std::string_view command_tail) {
  const StartupLimits startup = LimitsFromCommandTail(command_tail);
  if (startup.from_command_line) {
    dialog.ShowMessage(StartupNoticeText(startup.limits), "Startup");
  }
  return StartupWithLimits(state, startup.limits);
}

RunError StartupWithLimits(AppState& state, ToothLimits limits) {
  state.Limits = limits;
  return BuildRatioTable(state.Limits, state.Tables);
}

float ReadTargetRatio(DialogPort& dialog) {
  return NarrowToFloat(ReadNumber(dialog.ItemText(IDC_TARGET_RATIO)));
}

void ShowMatch(DialogPort& dialog, AppState& state, std::int32_t index) {
  const RatioEntry e = state.Tables.RatioTable[index];
  // Reset first, so that no box stays grey from the match shown before.
  for (int id : kGearIds) dialog.SetControlColors(id, kDefaultColor, kDefaultColor);

  // The target is read now, not at Find: a step after editing it measures the
  // new entry against the new text. The zero slot's error needs no target,
  // and the box is not read for it.
  const float target = HasGearTrain(e) ? ReadTargetRatio(dialog) : 0.0f;
  state.MatchError = MatchErrorOf(e, target);

  const MatchDescription shown = DescribeMatch(e, state.MatchError);
  dialog.SetItemText(IDC_ACTUAL_RATIO, shown.actual_ratio);
  for (int k = 0; k < 4; ++k) dialog.SetItemText(kGearIds[k], shown.gears[k]);
  dialog.SetItemText(IDC_ERROR, shown.error);
  if (shown.grey == GreyPair::kFirst) GreyBoxes(dialog, IDC_GEAR1, IDC_GEAR2);
  if (shown.grey == GreyPair::kSecond) GreyBoxes(dialog, IDC_GEAR3, IDC_GEAR4);
}

void FindMatch(DialogPort& dialog, AppState& state) {
  const float target = ReadTargetRatio(dialog);
  FindBestMatch(state.Tables.RatioTable, target, state.CurrentIndex);
  ShowMatch(dialog, state, state.CurrentIndex);
}

bool StepMatch(DialogPort& dialog, AppState& state, Direction direction) {
  WalkFilter filter;
  filter.single_only = dialog.CheckState(IDC_SINGLE_ONLY) == 1;
  filter.even_only = dialog.CheckState(IDC_EVEN_ONLY) == 1;
  const WalkResult walk = WalkTable(state.Tables.RatioTable, state.CurrentIndex, direction, filter);
  state.CurrentIndex = walk.index;
  if (walk.display) ShowMatch(dialog, state, state.CurrentIndex);
  return walk.display;
}

void ShowAbout(DialogPort& dialog) { dialog.ShowMessage(AboutText(), "About"); }

void DispatchCommand(DialogPort& dialog, AppState& state, int id, int notification) {
  // A click and the space bar both arrive as notification 0; 1 is accepted too.
  if (notification != 0 && notification != 1) return;
  switch (id) {
    case IDC_HIGHER:
      StepMatch(dialog, state, Direction::kHigher);
      break;
    case IDC_LOWER:
      StepMatch(dialog, state, Direction::kLower);
      break;
    case IDC_FIND:
      FindMatch(dialog, state);
      break;
    case IDC_ABOUT:
      ShowAbout(dialog);
      break;
    default:
      break;  // the boxes and check boxes do nothing by themselves
  }
}

std::string TableFailureText(RunError error, ToothLimits limits) {
  return "The ratio table for tooth limits " + std::to_string(limits.MinTeeth) + " and " +
         std::to_string(limits.MaxTeeth) + " cannot be created: error " +
         std::to_string(static_cast<unsigned>(error)) + ", " + RunErrorText(error) + ".";
}

}  // namespace cog
