// gear against its goal: the whole job (the figures, the head's indexing and
// for a helical gear the helix train) in the time of one divide plus one
// helix, and the whole process, as a machinist runs it, under 50 ms on the
// built-in head. Primes make the head search differential indexing; the
// helical cases ask helix for every train of the head's gears.

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>

#include <string>
#include <vector>

#include "bench/workshop_summary.h"
#include "divider/head.h"
#include "gearcut/gear_job.h"
#include "gearcut/gear_question.h"
#include "report/gear_sheet.h"

extern char** environ;

namespace cog::bench {
namespace {

struct GearCase {
  const char* name;
  std::vector<std::string> args;  // after "gear"
};

const std::vector<GearCase>& Cases() {
  static const std::vector<GearCase> cases = {
      {"40-spur", {"40", "--module", "2"}},
      {"127-differential", {"127", "--module", "1.5"}},
      {"997-helical", {"997", "--module", "1", "--helix", "45L"}},
      {"31-helical-dp", {"31", "--dp", "12", "--helix", "22.5R"}},
  };
  return cases;
}

GearTexts TextsOf(const GearCase& c) {
  GearTexts t;
  t.teeth = c.args[0];
  for (std::size_t i = 1; i + 1 < c.args.size(); i += 2) {
    if (c.args[i] == "--module") t.module = c.args[i + 1];
    if (c.args[i] == "--dp") t.dp = c.args[i + 1];
    if (c.args[i] == "--helix") t.helix = c.args[i + 1];
  }
  return t;
}

void BM_GearJob(benchmark::State& state, const GearCase* c) {
  GearAsked asked;
  Status input;
  if (!ReadGearTexts(TextsOf(*c), &asked, &input)) return state.SkipWithError(input.why().c_str());
  const DividingHead head = BuiltInHead();
  std::string error;
  for (auto _ : state) {
    GearJob job;
    if (!MakeGearJob(asked, head, &job, &error)) return state.SkipWithError(error.c_str());
    benchmark::DoNotOptimize(GearText(head, job));
  }
}

// cogwright-cli gear ..., its output thrown away: start to exit.
void BM_GearProcess(benchmark::State& state, const GearCase* c) {
  std::vector<std::string> words = {COG_CLI_PATH, "gear"};
  words.insert(words.end(), c->args.begin(), c->args.end());
  std::vector<char*> argv;
  for (std::string& w : words) argv.push_back(w.data());
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, "/dev/null", O_WRONLY, 0);
  for (auto _ : state) {
    pid_t pid = 0;
    int status = 0;
    if (posix_spawn(&pid, argv[0], &actions, nullptr, argv.data(), environ) != 0 ||
        waitpid(pid, &status, 0) != pid || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
      state.SkipWithError("cogwright-cli gear failed");
      break;
    }
  }
  posix_spawn_file_actions_destroy(&actions);
}

bool RegisterGearBenchmarks() {
  for (const GearCase& c : Cases()) {
    const std::string job = std::string("gear/job/") + c.name;
    benchmark::RegisterBenchmark(job.c_str(), BM_GearJob, &c)
        ->MinTime(0.2)
        ->Unit(benchmark::kMillisecond);
    AddToGroup("gear-job", "gear: figures, indexing and helix train", 0.05, job);
    const std::string process = std::string("gear/process/") + c.name;
    benchmark::RegisterBenchmark(process.c_str(), BM_GearProcess, &c)
        ->MinTime(0.5)
        ->UseRealTime()
        ->Unit(benchmark::kMillisecond);
    AddToGroup("gear-process", "cogwright-cli gear, whole process", 0.05, process);
  }
  return true;
}

const bool registered = RegisterGearBenchmarks();

}  // namespace
}  // namespace cog::bench
