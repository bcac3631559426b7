// Arbitrary bytes as cogwright-cli's argument list, split on NUL bytes, read
// against the CLI's own command forms: whatever the arguments, the reader
// never crashes, takes every value verbatim from the list, refuses an argument
// over the cap, and says why in one short line that steers no terminal.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "app/arguments.h"
#include "app/cli_table.h"
#include "fuzz/fuzz_check.h"

namespace cog::fuzz {
namespace {

// The longest message: a quoted excerpt of at most 40 bytes, each escaped to
// at most 4 characters, in a sentence of a few words and numbers. It does not
// grow with the input: the fuzzer feeds up to 16 KiB.
constexpr std::size_t kLongestMessage = 300;

std::vector<std::string> SplitOnNul(std::string_view text) {
  std::vector<std::string> args;
  std::size_t start = 0;
  for (std::size_t at = 0; at <= text.size(); ++at) {
    if (at == text.size() || text[at] == '\0') {
      args.emplace_back(text.substr(start, at - start));
      start = at + 1;
    }
  }
  return args;
}

bool IsArgument(const std::vector<std::string>& args, const std::string& text) {
  for (const std::string& arg : args)
    if (arg == text) return true;
  return false;
}

// True when `text` is an argument after a "--" that ends the options.
bool IsAfterEnd(const std::vector<std::string>& args, const std::string& text) {
  bool ended = false;
  for (const std::string& arg : args) {
    if (ended && arg == text) return true;
    ended = ended || arg == cog::kEndOfOptions;
  }
  return false;
}

const CommandForm* FormOf(const std::vector<CommandForm>& forms, const std::string& command) {
  for (const CommandForm& form : forms)
    if (command == form.name) return &form;
  return nullptr;
}

const OptionForm* OptionOf(const CommandForm& form, const std::string& name) {
  for (const OptionForm& option : form.options)
    if (name == option.name) return &option;
  return nullptr;
}

void CheckMessage(const std::string& message, std::size_t input_size) {
  Require(!message.empty(), "a refusal says why");
  Require(message.size() <= kLongestMessage, "a message is short, whatever the input");
  Require(input_size < 2 * kLongestMessage || message.size() < input_size / 2,
          "a message is well below a large input");
  for (const char c : message) {
    const auto byte = static_cast<unsigned char>(c);
    Require(byte != '\n' && byte != '\r', "a message is one line");
    Require(byte >= 0x20 && byte != 0x7F, "no raw control byte (C0, ESC, DEL) in a message");
  }
}

void CheckAccepted(const std::vector<std::string>& args, std::string_view input,
                   const std::vector<CommandForm>& forms, const Arguments& read) {
  for (const std::string& arg : args)
    Require(arg.size() <= kMaxArgumentBytes, "an argument over the cap is refused");
  Require(read.command.empty() || IsArgument(args, read.command), "the command is an argument");
  for (const std::string& positional : read.positional) {
    Require(IsArgument(args, positional), "a positional is one whole argument");
    Require(input.find(positional) != std::string_view::npos, "a positional is in the input");
    Require(
        !(positional.size() >= 2 && positional.rfind("--", 0) == 0) || IsAfterEnd(args, positional),
        "an option, or the \"--\" that ends them, is a positional only after that \"--\"");
  }
  const CommandForm* form = FormOf(forms, read.command);
  Require(form != nullptr || read.options.empty(), "only a known command's options are read");
  for (const auto& [name, values] : read.options) {
    Require(IsArgument(args, "--" + name), "an option read was given");
    const OptionForm* option = OptionOf(*form, name);
    Require(option != nullptr, "an option read is one of its command's");
    Require(values.size() == static_cast<std::size_t>(option->values),
            "an option has as many values as its form");
    for (const std::string& value : values) {
      Require(IsArgument(args, value), "a value is one whole argument, verbatim");
      Require(input.find(value) != std::string_view::npos, "a value is in the input");
    }
  }
}

}  // namespace
}  // namespace cog::fuzz

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace cog::fuzz;
  static const std::vector<cog::CommandForm> forms = cog::CliForms();
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const std::vector<std::string> args = SplitOnNul(input);
  bool over_cap = false;
  for (const std::string& arg : args) over_cap = over_cap || arg.size() > cog::kMaxArgumentBytes;

  cog::Arguments read;
  std::string error;
  const bool accepted = cog::ParseArguments(args, forms, &read, &error);
  if (read.help) {
    // "--help", "-h" or "help" as the command: nothing else is read.
    Require(accepted, "the help is never refused");
    return 0;
  }
  if (!accepted) {
    CheckMessage(error, size);
    if (over_cap)
      Require(error.find(" is over " + std::to_string(cog::kMaxArgumentBytes) + " bytes") !=
                  std::string::npos,
              "an argument over the cap is refused for its length");
    return 0;
  }
  Require(!over_cap, "an argument over the cap is refused");
  CheckAccepted(args, input, forms, read);
  return 0;
}
