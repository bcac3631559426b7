#include "engine/worker_threads.h"

namespace cog {

// Where the build has no threads (WebAssembly in a page that cannot be
// cross-origin isolated), the work runs once, on the calling thread; the
// work shares its load out as it goes, so one run does all of it.
unsigned WorkerCount() { return 1; }

void RunOnWorkers(unsigned, const std::function<void()>& work) { work(); }

}  // namespace cog
