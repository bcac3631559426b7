#pragma once
// What the main dialog does at start-up and for each of its buttons, over a
// DialogPort so that every shell runs the same steps in the same order.

#include <cstdint>
#include <string>
#include <string_view>

#include "engine/table_walk.h"
#include "numtext/run_error.h"
#include "ui/app_state.h"
#include "ui/dialog_port.h"

namespace cog {

// Settles the limits from the command tail, shows the "Startup" notice when the
// tail is not blank, and builds the tables. A failure to create a table is
// returned; the tables are then unusable and the caller must end the run.
RunError StartupInit(DialogPort& dialog, AppState& state, std::string_view command_tail);

// The same with limits given directly (no notice).
RunError StartupWithLimits(AppState& state, ToothLimits limits);

// The target box read as a number and narrowed to float.
float ReadTargetRatio(DialogPort& dialog);

// Shows entry `index`: resets the gear colours, computes MatchError against the
// target text as it stands now (not read for the zero slot), sets the six
// result texts DescribeMatch gives, then greys its 1:1 pair.
void ShowMatch(DialogPort& dialog, AppState& state, std::int32_t index);

// Find: reads the target, finds the nearest entry into CurrentIndex, shows it.
void FindMatch(DialogPort& dialog, AppState& state);

// Higher or Lower: reads the two check boxes, walks from CurrentIndex and
// shows where it stops. Returns false when the plain walk ran off an end and
// nothing was shown.
bool StepMatch(DialogPort& dialog, AppState& state, Direction direction);

// The fixed help text in a box captioned "About".
void ShowAbout(DialogPort& dialog);

// A command from control `id` with the notification code the control sent:
// Find, Higher, Lower and About act on codes 0 (a click or the space bar) and
// 1; everything else is ignored.
void DispatchCommand(DialogPort& dialog, AppState& state, int id, int notification);

// The text that tells the user the table could not be created, naming the error
// and the limits.
std::string TableFailureText(RunError error, ToothLimits limits);

}  // namespace cog
