// cogwright-e2e: drives the real cogwright.exe (under Wine, or on Windows) and
// checks it from outside. Exit code 0 when every check passed, 1 otherwise,
// 2 for a bad command line.

#include <windows.h>
// After <windows.h>, which it needs.
#include <commctrl.h>
#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "tests/e2e/check_log.h"
#include "tests/e2e/driver_paths.h"
#include "tests/e2e/pose.h"
#include "tests/e2e/scenarios.h"
#include "tests/e2e/soak.h"
#include "tests/e2e/startup_bench.h"

namespace {

using cog::e2e::DriverPaths;

constexpr const char* kUsage =
    "usage: cogwright-e2e --exe COGWRIGHT.EXE --sessions DIR --expected DIR\n"
    "                     [--hook COGWRIGHT-HOOK.DLL] [--only SCENARIO]\n"
    "       cogwright-e2e --exe COGWRIGHT.EXE --pose TARGET --release FILE\n"
    "       cogwright-e2e --exe COGWRIGHT.EXE --soak-make SCRIPT --actions N --seed S [--tail T]\n"
    "       cogwright-e2e --exe COGWRIGHT.EXE --soak SCRIPT --soak-expected FILE [--tail T]\n"
    "                     [--hook COGWRIGHT-GDI-HOOK.DLL]\n"
    "       cogwright-e2e --exe COGWRIGHT.EXE --bench-startup RUNS [--tail T]";

struct Options {
  DriverPaths paths;
  std::string only;
  std::string pose_target;
  std::string release_file;
  // The soak's two passes and the start-up measurement; both take --tail.
  std::string soak_make;
  cog::e2e::SoakOptions soak;
  int bench_runs = 0;
};

std::string DriverDirectory() {
  char path[MAX_PATH];
  const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
  std::string directory(path, length);
  const size_t slash = directory.find_last_of("\\/");
  return slash == std::string::npos ? "." : directory.substr(0, slash);
}

bool IsScenarioName(const std::string& name) {
  for (const cog::e2e::Scenario& scenario : cog::e2e::AllScenarios())
    if (name == scenario.name) return true;
  return false;
}

bool ParseArguments(int argc, char** argv, Options* options) {
  DriverPaths* paths = &options->paths;
  for (int i = 1; i + 1 < argc; i += 2) {
    const std::string_view option = argv[i];
    const std::string value = argv[i + 1];
    if (option == "--exe") {
      paths->exe = value;
    } else if (option == "--sessions") {
      paths->sessions_dir = value;
    } else if (option == "--expected") {
      paths->expected_dir = value;
    } else if (option == "--hook") {
      paths->hook_dll = value;
    } else if (option == "--only") {
      options->only = value;
    } else if (option == "--pose") {
      options->pose_target = value;
    } else if (option == "--release") {
      options->release_file = value;
    } else if (option == "--soak-make") {
      options->soak_make = value;
    } else if (option == "--soak") {
      options->soak.script = value;
    } else if (option == "--soak-expected") {
      options->soak.expected = value;
    } else if (option == "--tail") {
      options->soak.tail = value;
    } else if (option == "--actions") {
      options->soak.actions = std::strtoul(value.c_str(), nullptr, 10);
    } else if (option == "--seed") {
      options->soak.seed = std::strtoul(value.c_str(), nullptr, 10);
    } else if (option == "--bench-startup") {
      options->bench_runs = std::atoi(value.c_str());
      if (options->bench_runs < 1) return false;
    } else {
      return false;
    }
  }
  if (argc % 2 == 0) return false;
  const bool soak = !options->soak_make.empty() || !options->soak.script.empty();
  if (paths->hook_dll.empty())
    paths->hook_dll =
        DriverDirectory() + (soak ? "\\cogwright-gdi-hook.dll" : "\\cogwright-hook.dll");
  if (options->bench_runs > 0 || !options->soak_make.empty()) return !paths->exe.empty();
  if (!options->soak.script.empty()) return !paths->exe.empty() && !options->soak.expected.empty();
  if (!options->release_file.empty()) return !paths->exe.empty();
  if (!options->only.empty() && !IsScenarioName(options->only)) return false;
  return !paths->exe.empty() && !paths->sessions_dir.empty() && !paths->expected_dir.empty();
}

// The program asks for the same classes; the reference dialog must be built
// with the same controls to compare styles.
void InitCommonControlsAsTheProgramDoes() {
  INITCOMMONCONTROLSEX controls{sizeof controls, 0x9FF};
  InitCommonControlsEx(&controls);
}

}  // namespace

int main(int argc, char** argv) {
  // Plain "\n" line ends, so that the summary line reads the same under Wine
  // as any Linux tool's output.
  _setmode(_fileno(stdout), _O_BINARY);
  Options options;
  if (!ParseArguments(argc, argv, &options)) {
    cog::e2e::PrintLine(kUsage);
    return 2;
  }
  const DriverPaths& paths = options.paths;
  if (!options.release_file.empty())
    return cog::e2e::PoseAfterFind(paths, options.pose_target, options.release_file);
  if (options.bench_runs > 0)
    return cog::e2e::BenchStartup(paths, options.bench_runs, options.soak.tail);
  if (!options.soak_make.empty()) {
    cog::e2e::SoakOptions make = options.soak;
    make.script = options.soak_make;
    return cog::e2e::MakeSoakScript(paths, make);
  }
  if (!options.soak.script.empty()) return cog::e2e::RunSoak(paths, options.soak);
  InitCommonControlsAsTheProgramDoes();
  cog::e2e::CheckLog log;
  for (const cog::e2e::Scenario& scenario : cog::e2e::AllScenarios()) {
    if (!options.only.empty() && options.only != scenario.name) continue;
    cog::e2e::PrintLine(std::string("== ") + scenario.name);
    log.SetScope(scenario.name);
    scenario.run(paths, log);
  }
  log.PrintSummary();
  return log.failed() == 0 ? 0 : 1;
}
