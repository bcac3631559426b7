#include "tests/e2e/check_log.h"

#include <cstdio>

#include "tests/e2e/text_format.h"

namespace cog::e2e {

void PrintLine(std::string_view line) {
  std::fwrite(line.data(), 1, line.size(), stdout);
  std::fputc('\n', stdout);
  std::fflush(stdout);
}

bool CheckLog::Equal(std::string_view what, std::string_view expected, std::string_view actual) {
  if (expected == actual) {
    ++passed_;
    return true;
  }
  Fail(what, Quoted(expected), Quoted(actual));
  return false;
}

bool CheckLog::Equal(std::string_view what, long long expected, long long actual) {
  if (expected == actual) {
    ++passed_;
    return true;
  }
  Fail(what, Dec(expected), Dec(actual));
  return false;
}

bool CheckLog::EqualHex(std::string_view what, unsigned long expected, unsigned long actual) {
  if (expected == actual) {
    ++passed_;
    return true;
  }
  Fail(what, Hex(expected), Hex(actual));
  return false;
}

bool CheckLog::True(std::string_view what, bool condition, std::string_view seen) {
  if (condition) {
    ++passed_;
    return true;
  }
  Fail(what, "true", seen.empty() ? "false" : seen);
  return false;
}

void CheckLog::Fatal(std::string_view what, std::string_view seen) {
  ++failed_;
  PrintLine("FAIL [" + scope_ + "] " + std::string(what));
  PrintLine("    actual:   " + std::string(seen));
}

void CheckLog::Fail(std::string_view what, std::string_view expected, std::string_view actual) {
  ++failed_;
  PrintLine("FAIL [" + scope_ + "] " + std::string(what));
  PrintLine("    expected: " + std::string(expected));
  PrintLine("    actual:   " + std::string(actual));
}

void CheckLog::PrintSummary() const {
  PrintLine(Dec(passed_) + " passed, " + Dec(failed_) + " failed");
}

}  // namespace cog::e2e
