#pragma once
// The driver's checks: each one counts as passed or failed, and a failure is
// printed at once with the scope, what was checked, the expected and the actual
// value, so a broken run can be read without a debugger.

#include <string>
#include <string_view>

namespace cog::e2e {

class CheckLog {
 public:
  // Names the scenario (and step) that the following failures belong to.
  void SetScope(std::string scope) { scope_ = std::move(scope); }
  const std::string& scope() const { return scope_; }

  // Each returns whether the check passed.
  bool Equal(std::string_view what, std::string_view expected, std::string_view actual);
  bool Equal(std::string_view what, long long expected, long long actual);
  bool EqualHex(std::string_view what, unsigned long expected, unsigned long actual);
  // For conditions that have no single expected value; `seen` says what was found.
  bool True(std::string_view what, bool condition, std::string_view seen = {});
  // A step that could not even be carried out (a window that never appeared).
  void Fatal(std::string_view what, std::string_view seen);

  int passed() const { return passed_; }
  int failed() const { return failed_; }
  // Writes "N passed, N failed" alone on a line.
  void PrintSummary() const;

 private:
  void Fail(std::string_view what, std::string_view expected, std::string_view actual);

  std::string scope_;
  int passed_ = 0;
  int failed_ = 0;
};

// Writes a line to standard output and flushes it, so progress shows even when
// the run hangs later.
void PrintLine(std::string_view line);

}  // namespace cog::e2e
