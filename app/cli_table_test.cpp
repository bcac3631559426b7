#include "app/cli_table.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

#include "app/arguments.h"
#include "app/cli_commands.h"

namespace cog {
namespace {

struct Outcome {
  int code;
  std::string out;
  std::string err;
};

Outcome Cli(const std::vector<std::string>& args) {
  std::istringstream in;
  std::ostringstream out, err;
  const int code = RunCli(args, in, out, err);
  return {code, out.str(), err.str()};
}

TEST(ArgumentsTest, EndOfOptions) {
  struct Case {
    std::vector<std::string> args;
    std::string command;
    std::vector<std::string> positional;
    bool help;
    std::string top = "";  // --top's value, when given before the "--"
  };
  const Case cases[] = {
      {{"divide", "--", "127"}, "divide", {"127"}, false},
      {{"divide", "127", "--"}, "divide", {"127"}, false},
      {{"--", "divide", "127"}, "divide", {"127"}, false},
      {{"divide", "--", "--top", "-h"}, "divide", {"--top", "-h"}, false},
      {{"divide", "--", "--", "3"}, "divide", {"--", "3"}, false},
      {{"divide", "-h", "--", "3"}, "divide", {}, true},
      {{"--", "--help"}, "--help", {}, false},
      {{"--top", "3", "--", "helix", "--all"}, "helix", {"--all"}, false, "3"},
  };
  for (const Case& c : cases) {
    Arguments read;
    std::string error;
    const bool ok = ParseArguments(c.args, CliForms(), &read, &error);
    const std::string line = testing::PrintToString(c.args);
    if (c.help) {
      EXPECT_TRUE(read.help) << line;
      continue;
    }
    EXPECT_FALSE(read.help) << line;
    EXPECT_EQ(read.command, c.command) << line;
    EXPECT_EQ(read.positional, c.positional) << line;
    EXPECT_TRUE(ok) << line << error;
    EXPECT_EQ(read.Value("top"), c.top) << line;
    EXPECT_EQ(read.options.size(), c.top.empty() ? 0u : 1u) << line;
  }
}

// Each command's answer is the same whether its positional stands after
// "--" or not, and whether --top is written 2 or 2.0.
TEST(CliTableTest, SpellingsOfTheSameQuestion) {
  const std::vector<std::string> lathe = {"--leadscrew", "8tpi", "--gears", "20-80/5,127"};
  auto with_lathe = [&](std::vector<std::string> args) {
    args.insert(args.end(), lathe.begin(), lathe.end());
    return args;
  };
  const std::vector<std::string> pairs[][2] = {
      {{"divide", "127"}, {"divide", "--", "127"}},
      {{"helix", "250mm"}, {"helix", "--", "250mm"}},
      {{"divide", "127", "--top", "2"}, {"divide", "127", "--top", "2.0"}},
      {{"helix", "250mm", "--top", "2"}, {"helix", "250mm", "--top", "2.0"}},
      {{"divide", "--chart", "2-5"}, {"divide", "--chart", "2.0-5"}},
      {with_lathe({"thread", "1mm", "--top", "2"}), with_lathe({"thread", "1mm", "--top", "2e0"})},
      {with_lathe({"thread", "1mm"}),
       {"thread", "--leadscrew", "8tpi", "--gears", "20-80/5,127", "--", "1mm"}},
  };
  for (const auto& pair : pairs) {
    const Outcome plain = Cli(pair[0]), other = Cli(pair[1]);
    EXPECT_EQ(plain.code, 0) << plain.err;
    EXPECT_EQ(other.code, 0) << other.err;
    EXPECT_FALSE(plain.out.empty());
    EXPECT_EQ(plain.out, other.out) << testing::PrintToString(pair[1]);
  }
}

// A bad --top is refused in the same words by every command that takes it.
TEST(CliTableTest, TopRefusedAlike) {
  const std::vector<std::string> commands[] = {
      {"divide", "127"},
      {"helix", "250mm"},
      {"thread", "1mm", "--leadscrew", "8tpi", "--gears", "20-80/5,127"},
  };
  const std::pair<std::string, std::string> tops[] = {
      {"2.5", "cogwright-cli: --top: \"2.5\" is not a whole number from 1 to 1000\n"},
      {"0", "cogwright-cli: --top: \"0\" is not a whole number from 1 to 1000\n"},
      {"1001", "cogwright-cli: --top: \"1001\" is not a whole number from 1 to 1000\n"},
      {"", "cogwright-cli: --top: \"\" is not a whole number from 1 to 1000\n"},
  };
  for (std::vector<std::string> command : commands) {
    command.push_back("--top");
    command.push_back("1000");
    EXPECT_EQ(Cli(command).code, 0) << command[0] << " --top 1000";
    command.pop_back();
    for (const auto& [top, message] : tops) {
      command.push_back(top);
      const Outcome run = Cli(command);
      EXPECT_EQ(run.code, 2) << command[0] << " " << top;
      EXPECT_EQ(run.err, message) << command[0];
      EXPECT_EQ(run.out, "");
      command.pop_back();
    }
  }
}

// The usage after a mistyped command names every command there is, and
// --format is refused by name for a format a command does not write.
TEST(CliTableTest, UsageAndFormats) {
  const Outcome mistyped = Cli({"divid", "127"});
  EXPECT_EQ(mistyped.code, 2);
  EXPECT_EQ(mistyped.err.rfind("cogwright-cli: unknown command \"divid\" (did you mean divide?)\n"
                               "usage: cogwright-cli find TARGET",
                               0),
            0u)
      << mistyped.err;
  for (const char* command : {"find", "table", "session", "thread", "train", "chart", "suggest",
                              "divide --chart", "divide N|ANGLE", "helix"})
    EXPECT_NE(mistyped.err.find(std::string("cogwright-cli ") + command + " "), std::string::npos)
        << command;

  struct Case {
    std::vector<std::string> args;
    std::string err;
  };
  const Case cases[] = {
      {{"divide", "127", "--format", "md"},
       "cogwright-cli: --format \"md\" is not one of the formats divide writes\n"},
      {{"divide", "--chart", "2-5", "--format", "xml"},
       "cogwright-cli: --format \"xml\" is not one of the formats divide --chart writes\n"},
      {{"helix", "250mm", "--format", "html"},
       "cogwright-cli: --format \"html\" is not one of the formats helix writes\n"},
      {{"suggest", "unc", "--format", "md"},
       "cogwright-cli: --format \"md\" is not one of the formats suggest writes\n"},
      {{"find", "0.5", "--format", "csv"}, "cogwright-cli: find does not take \"--format\"\n"},
  };
  for (const Case& c : cases) {
    const Outcome run = Cli(c.args);
    EXPECT_EQ(run.code, 2);
    EXPECT_EQ(run.err, c.err);
  }
  // The chart of 2 to 5 divisions as Markdown: a table row per number.
  const Outcome md = Cli({"divide", "--chart", "2-5", "--format", "md"});
  EXPECT_EQ(md.code, 0);
  EXPECT_NE(md.out.find("| 5 | 8 |"), std::string::npos) << md.out;
}

}  // namespace
}  // namespace cog
