#include "tests/sweep/cli_run.h"

#include <fcntl.h>
#include <poll.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cerrno>

namespace cog::sweep {
namespace {

class Descriptor {
 public:
  Descriptor() = default;
  Descriptor(const Descriptor&) = delete;
  Descriptor& operator=(const Descriptor&) = delete;
  ~Descriptor() { Close(); }
  // Takes ownership of fd, closing the one held before.
  void Reset(int fd) {
    Close();
    fd_ = fd;
  }
  int get() const { return fd_; }
  void Close() {
    if (fd_ >= 0) close(fd_);
    fd_ = -1;
  }

 private:
  int fd_ = -1;
};

struct Pipe {
  Descriptor read_end;
  Descriptor write_end;
};

bool MakePipe(Pipe& pipe_ends) {
  int fds[2];
  // Close-on-exec: a child started by another worker must not hold this pipe open.
  if (pipe2(fds, O_CLOEXEC) != 0) return false;
  pipe_ends.read_end.Reset(fds[0]);
  pipe_ends.write_end.Reset(fds[1]);
  return true;
}

// Runs in the forked child of a threaded process: nothing here may allocate.
[[noreturn]] void ExecChild(const CliRequest& request, char* const* argv, int out_fd, int err_fd) {
  dup2(out_fd, STDOUT_FILENO);
  dup2(err_fd, STDERR_FILENO);
  const int null_fd = open("/dev/null", O_RDONLY);
  if (null_fd >= 0) dup2(null_fd, STDIN_FILENO);
  if (request.address_space_limit != 0) {
    const rlimit limit{request.address_space_limit, request.address_space_limit};
    setrlimit(RLIMIT_AS, &limit);
  }
  execv(argv[0], argv);
  _exit(127);
}

// Splits what arrives on standard output into lines; keeps a partial line.
class LineSplitter {
 public:
  explicit LineSplitter(const std::function<void(std::string_view)>& on_line) : on_line_(on_line) {}
  void Feed(std::string_view chunk) {
    for (std::size_t end; (end = chunk.find('\n')) != std::string_view::npos;) {
      if (partial_.empty()) {
        on_line_(chunk.substr(0, end));
      } else {
        partial_.append(chunk.substr(0, end));
        on_line_(partial_);
        partial_.clear();
      }
      chunk.remove_prefix(end + 1);
    }
    partial_.append(chunk);
  }
  void Finish() {
    if (!partial_.empty()) on_line_(partial_);
  }

 private:
  const std::function<void(std::string_view)>& on_line_;
  std::string partial_;
};

void Drain(int out_fd, int err_fd, LineSplitter& lines, std::string& standard_error) {
  std::array<pollfd, 2> fds{{{out_fd, POLLIN, 0}, {err_fd, POLLIN, 0}}};
  std::array<char, 1 << 16> buffer;
  int open_count = 2;
  while (open_count > 0) {
    if (poll(fds.data(), fds.size(), -1) < 0) {
      if (errno == EINTR) continue;
      return;
    }
    for (pollfd& p : fds) {
      if (p.fd < 0 || p.revents == 0) continue;
      const ssize_t got = read(p.fd, buffer.data(), buffer.size());
      if (got <= 0) {
        p.fd = -1;
        --open_count;
      } else if (p.fd == out_fd) {
        lines.Feed(std::string_view(buffer.data(), static_cast<std::size_t>(got)));
      } else {
        standard_error.append(buffer.data(), static_cast<std::size_t>(got));
      }
    }
  }
}

}  // namespace

CliOutcome RunCliLines(const CliRequest& request,
                       const std::function<void(std::string_view)>& on_line) {
  CliOutcome outcome;
  Pipe out, err;
  if (!MakePipe(out) || !MakePipe(err)) return outcome;
  std::vector<char*> argv;
  argv.push_back(const_cast<char*>(request.program.c_str()));
  for (const std::string& a : request.arguments) argv.push_back(const_cast<char*>(a.c_str()));
  argv.push_back(nullptr);
  const pid_t child = fork();
  if (child < 0) return outcome;
  if (child == 0) ExecChild(request, argv.data(), out.write_end.get(), err.write_end.get());
  out.write_end.Close();
  err.write_end.Close();
  LineSplitter lines(on_line);
  Drain(out.read_end.get(), err.read_end.get(), lines, outcome.standard_error);
  lines.Finish();
  int status = 0;
  while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
  }
  if (WIFEXITED(status)) outcome.exit_code = WEXITSTATUS(status);
  return outcome;
}

}  // namespace cog::sweep
