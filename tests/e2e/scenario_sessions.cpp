#include "tests/e2e/scenarios.h"
#include "tests/e2e/session_replay.h"

namespace cog::e2e {

void CheckSessions(const DriverPaths& paths, CheckLog& log) {
  const auto names = SessionNames(paths);
  if (!log.True("action scripts found in " + paths.sessions_dir, !names.empty())) return;
  const std::string scope = log.scope();
  for (const std::string& name : names) {
    log.SetScope(scope + "/" + name);
    ReplaySession(paths, name, log);
  }
  log.SetScope(scope);
}

}  // namespace cog::e2e
