#include "engine/worker_threads.h"

#include <system_error>
#include <thread>
#include <vector>

namespace cog {

unsigned WorkerCount() {
  const unsigned cores = std::thread::hardware_concurrency();
  // More threads than this only compete for memory bandwidth.
  constexpr unsigned kMostUseful = 8;
  if (cores == 0) return 1;
  return cores < kMostUseful ? cores : kMostUseful;
}

void RunOnWorkers(unsigned workers, const std::function<void()>& work) {
  std::vector<std::thread> helpers;
  helpers.reserve(workers);
  for (unsigned k = 1; k < workers; ++k) {
    try {
      helpers.emplace_back(work);
    } catch (const std::system_error&) {
      break;  // out of threads: the ones running share the work
    }
  }
  work();
  for (std::thread& t : helpers) t.join();
}

}  // namespace cog
