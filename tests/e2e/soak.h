#pragma once
// The soak: thousands of random actions on one long-lived cogwright.exe, with
// the dialog's answers compared against `cogwright-cli session` and its GDI
// object count watched for leaks. It runs in two passes around the native tool:
//   1. MakeSoakScript generates the random actions and, with the program
//      running, puts each target text into the box and writes down what the box
//      really holds, so the tool later reads exactly the dialog's text;
//   2. (the tool runs natively on that script and prints the expected lines);
//   3. RunSoak replays the script on a fresh program and checks every step.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "tests/e2e/check_log.h"
#include "tests/e2e/driver_paths.h"
#include "tests/e2e/program_run.h"

namespace cog::e2e {

struct SoakOptions {
  std::string script;    // the action script: written by pass 1, read by pass 3
  std::string expected;  // what `cogwright-cli session` printed for it
  std::string tail;      // the program's command tail, e.g. "16 40"
  std::uint32_t actions = 3000;
  std::uint32_t seed = 0;
};

// Exit code 0 when the script was written, 1 otherwise.
int MakeSoakScript(const DriverPaths& paths, const SoakOptions& options);
// Exit code 0 when every check passed, 1 otherwise. Ends with "N passed, N failed".
int RunSoak(const DriverPaths& paths, const SoakOptions& options);

// Shared by both passes.
// Waits for the main dialog, first closing the start-up notice that a
// non-blank command tail brings up; 0 (with a failure logged) if it never shows.
HWND WaitForSoakDialog(ProgramRun& run, std::string_view tail, CheckLog& log);
// Lines without their "\n"; a CR stays, since a target text may end in one.
bool ReadRawLines(const std::string& path, std::vector<std::string>* lines);
// A line short enough to print: long ones are cut, with their length given.
std::string Abridged(std::string_view line);
// Whether the program's thread still answers messages.
bool DialogAnswers(HWND dialog);

}  // namespace cog::e2e
