#pragma once
// The end-to-end scenarios. Each starts its own cogwright.exe, checks one
// concern and leaves no process behind.

#include <span>

#include "tests/e2e/check_log.h"
#include "tests/e2e/driver_paths.h"

namespace cog::e2e {

using ScenarioFunction = void (*)(const DriverPaths& paths, CheckLog& log);

struct Scenario {
  const char* name;
  ScenarioFunction run;
};

// The program file's header (large-address-aware, 32-bit) and its version.
void CheckImageHeader(const DriverPaths& paths, CheckLog& log);
// Title, geometry, controls, styles, fonts and tab order of the main dialog.
void CheckLayout(const DriverPaths& paths, CheckLog& log);
// Find with the texts whose results are known literally, and the grey pair.
void CheckFindLiterals(const DriverPaths& paths, CheckLog& log);
// Every action script, against `cogwright-cli session`.
void CheckSessions(const DriverPaths& paths, CheckLog& log);
// The start-up notice, or its absence, for several command tails.
void CheckStartupNotices(const DriverPaths& paths, CheckLog& log);
// The About box: text, modality, repeatability.
void CheckAbout(const DriverPaths& paths, CheckLog& log);
// Enter, Esc and WM_CLOSE do nothing; the focus survives a switch; close ends with 0.
void CheckKeysFocusAndClose(const DriverPaths& paths, CheckLog& log);
// A table too large for 32-bit byte sizes: the error box and exit code 3.
void CheckTableFailure(const DriverPaths& paths, CheckLog& log);

std::span<const Scenario> AllScenarios();

}  // namespace cog::e2e
