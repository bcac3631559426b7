#pragma once
// Runs one piece of work on several threads at once.

#include <functional>

namespace cog {

// The number of threads worth using here: the processor count, at least 1.
unsigned WorkerCount();

// Runs `work` on the calling thread and on up to workers - 1 further threads,
// and returns when every run has returned. A thread that cannot be started is
// simply left out, so `work` must share its load out as it goes (through an
// atomic counter, say) and never count on a given number of runs.
void RunOnWorkers(unsigned workers, const std::function<void()>& work);

}  // namespace cog
