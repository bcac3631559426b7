#include "bench/child_measure.h"

#include <sys/wait.h>
#include <unistd.h>

#include <fstream>
#include <string>

namespace cog::bench {
namespace {

// VmHWM from /proc/self/status, in bytes; 0 when it cannot be read.
double PeakResidentBytes() {
  std::ifstream status("/proc/self/status");
  std::string word;
  while (status >> word) {
    if (word == "VmHWM:") {
      double kib = 0;
      status >> kib;
      return kib * 1024;
    }
  }
  return 0;
}

bool WriteAll(int fd, const void* data, std::size_t size) {
  const char* p = static_cast<const char*>(data);
  while (size > 0) {
    const ssize_t n = write(fd, p, size);
    if (n <= 0) return false;
    p += n;
    size -= static_cast<std::size_t>(n);
  }
  return true;
}

bool ReadAll(int fd, void* data, std::size_t size) {
  char* p = static_cast<char*>(data);
  while (size > 0) {
    const ssize_t n = read(fd, p, size);
    if (n <= 0) return false;
    p += n;
    size -= static_cast<std::size_t>(n);
  }
  return true;
}

}  // namespace

BuildOutcome MeasureInChild(const BuildProbe& probe) {
  int fds[2];
  if (pipe(fds) != 0) return {};
  const pid_t pid = fork();
  if (pid < 0) {
    close(fds[0]);
    close(fds[1]);
    return {};
  }
  if (pid == 0) {
    close(fds[0]);
    BuildOutcome outcome;
    outcome.ok = probe(outcome);
    outcome.peak_bytes = PeakResidentBytes();
    const bool sent = WriteAll(fds[1], &outcome, sizeof outcome);
    _exit(sent ? 0 : 1);
  }
  close(fds[1]);
  BuildOutcome outcome;
  const bool received = ReadAll(fds[0], &outcome, sizeof outcome);
  close(fds[0]);
  int status = 0;
  waitpid(pid, &status, 0);
  if (!received || !WIFEXITED(status) || WEXITSTATUS(status) != 0) return {};
  return outcome;
}

}  // namespace cog::bench
