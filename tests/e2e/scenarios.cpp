#include "tests/e2e/scenarios.h"

namespace cog::e2e {
namespace {

constexpr Scenario kScenarios[] = {
    {"image", CheckImageHeader},      {"layout", CheckLayout},          {"find", CheckFindLiterals},
    {"sessions", CheckSessions},      {"startup", CheckStartupNotices}, {"about", CheckAbout},
    {"keys", CheckKeysFocusAndClose}, {"failure", CheckTableFailure},
};

}  // namespace

std::span<const Scenario> AllScenarios() { return kScenarios; }

}  // namespace cog::e2e
