#include "app/cli_table.h"

#include <algorithm>
#include <ostream>
#include <string_view>

#include "app/divide_commands.h"
#include "app/gear_command.h"
#include "app/ratio_table_commands.h"
#include "app/workshop_commands.h"

namespace cog {
namespace {

// gear reads its own format and writes its sheet itself.
int RunGearRow(const CliCall& call) { return RunGear(call.args, call.out, call.err); }

// Every lathe command also takes the lathe and the format.
std::vector<OptionForm> LatheOptions(std::vector<OptionForm> own) {
  for (const OptionForm option :
       {OptionForm{"profile", 1}, OptionForm{"leadscrew", 1}, OptionForm{"gears", 1},
        OptionForm{"fixed-ratio", 1}, OptionForm{"max-error", 1}, OptionForm{"format", 1}})
    own.push_back(option);
  return own;
}

// Both divide rows are read against one form: the chart's and the ways'.
std::vector<OptionForm> DivideOptionForms() {
  return {{"head", 1}, {"top", 1},     {"chart", 1},    {"method", 1},
          {"all", 0},  {"helical", 0}, {"diameter", 1}, {"format", 1}};
}

// The table. Of the rows of one name, those with a mode come first; the
// form of the first is the one the command line is read against.
const std::vector<CliCommand>& Commands() {
  static const std::vector<CliCommand> rows = {
      {{"find", {{"teeth", 2}}},
       nullptr,
       "find TARGET [--teeth A B]",
       CliSection::kRatioTable,
       {},
       RunFind},
      {{"table", {{"teeth", 2}}},
       nullptr,
       "table [--teeth A B]",
       CliSection::kRatioTable,
       {},
       RunTable},
      {{"session", {{"teeth", 2}}},
       nullptr,
       "session [--teeth A B] < ACTIONS",
       CliSection::kRatioTable,
       {},
       RunSession},
      {{"thread", LatheOptions({{"top", 1}, {"starts", 1}, {"length", 1}, {"all", 0}})},
       nullptr,
       "thread TARGET [--profile F] [--top N] [--all] [--starts N]",
       CliSection::kLathe,
       {{"text", WriteThreadText}, {"json", WriteThreadJson}, {"csv", WriteThreadCsv}},
       RunThread},
      {{"train", LatheOptions({{"target", 1}, {"starts", 1}, {"length", 1}})},
       nullptr,
       "train A B C D | A I D | A B C D E F [--profile F] [--target T]",
       CliSection::kLathe,
       {{"text", WriteTrainText}, {"json", WriteTrainJson}, {"csv", WriteTrainCsv}},
       RunTrain},
      {{"chart", LatheOptions({{"list", 0}})},
       nullptr,
       "chart SERIES... [--profile F] | chart --list",
       CliSection::kLathe,
       {{"text", WriteChartText},
        {"json", WriteChartJson},
        {"csv", WriteChartCsv},
        {"md", WriteChartMarkdown},
        {"html", WriteChartHtml}},
       RunChart},
      {{"suggest", LatheOptions({{"from", 1}, {"to", 1}})},
       nullptr,
       "suggest SERIES... [--profile F] [--from N --to N]",
       CliSection::kLathe,
       {{"text", WriteAdviceText}, {"json", WriteAdviceJson}, {"csv", WriteAdviceCsv}},
       RunSuggest},
      {{"divide", DivideOptionForms()},
       "chart",
       "divide --chart FROM-TO [--head F]",
       CliSection::kDividingHead,
       {{"text", WriteDivideChartText},
        {"json", WriteDivideChartJson},
        {"csv", WriteDivideChartCsv},
        {"md", WriteDivideChartMarkdown},
        {"html", WriteDivideChartHtml}},
       RunDivideChart},
      {{"divide", DivideOptionForms()},
       nullptr,
       "divide N|ANGLE [--head F] [--top K] [--method M] [--all] [--helical] [--diameter D]",
       CliSection::kDividingHead,
       {{"text", WriteDivideText}, {"json", WriteDivideJson}, {"csv", WriteDivideCsv}},
       RunDivide},
      {{"helix",
        {{"head", 1},
         {"top", 1},
         {"all", 0},
         {"max-error", 1},
         {"angle", 1},
         {"diameter", 1},
         {"format", 1}}},
       nullptr,
       "helix LEAD|--angle BETA --diameter D [--head F] [--top K] [--all] [--max-error PCT]",
       CliSection::kDividingHead,
       {{"text", WriteHelixText}, {"json", WriteHelixJson}, {"csv", WriteHelixCsv}},
       RunHelix},
      {{"gear",
        {{"module", 1},
         {"dp", 1},
         {"cp", 1},
         {"pressure-angle", 1},
         {"helix", 1},
         {"shift", 1},
         {"pin", 1},
         {"head", 1},
         {"format", 1}}},
       nullptr,
       "gear Z (--module M | --dp P | --cp C) [--helix ANGLE{R|L}]",
       CliSection::kGear,
       {},  // gear still checks its own --format
       RunGearRow},
  };
  return rows;
}

// Each section's help, in the order --help prints them: the lathe's first,
// which most people come for, the ratio table's (the dialog's) last.
std::string SectionHelp(CliSection section) {
  switch (section) {
    case CliSection::kLathe:
      return WorkshopHelp();
    case CliSection::kDividingHead:
      return kDivideHelp;
    case CliSection::kGear:
      return GearHelp();
    case CliSection::kRatioTable:
      break;
  }
  return kRatioTableHelp;
}

}  // namespace

int CliCall::Write(const CliAnswer& answer) const {
  format->write(answer, out);
  return 0;
}

int CliCall::Refuse(const Status& refusal) const {
  err << "cogwright-cli: " << refusal.why() << '\n';
  return 2;
}

std::span<const CliCommand> CliCommands() { return Commands(); }

const CliCommand* FindCliCommand(const Arguments& args) {
  for (const CliCommand& command : Commands())
    if (args.command == command.form.name && (!command.mode || args.Has(command.mode)))
      return &command;
  return nullptr;
}

std::vector<CommandForm> CliForms() {
  std::vector<CommandForm> forms;
  for (const CliCommand& command : Commands()) {
    const auto same = [&](const CommandForm& form) {
      return std::string_view(form.name) == command.form.name;
    };
    if (std::none_of(forms.begin(), forms.end(), same)) forms.push_back(command.form);
  }
  return forms;
}

std::string CliCommandName(const CliCommand& command) {
  return command.form.name + (command.mode ? std::string(" --") + command.mode : "");
}

std::string CliUsage() {
  std::string usage = "usage:";
  for (const CliCommand& command : Commands())
    usage += (usage.size() == 6 ? " " : "       ") + std::string("cogwright-cli ") + command.usage +
             '\n';
  return usage + "       cogwright-cli --help | --version\n";
}

std::string CliHelp() {
  std::string help;
  for (const CliSection section :
       {CliSection::kLathe, CliSection::kDividingHead, CliSection::kGear, CliSection::kRatioTable})
    help += (help.empty() ? "" : "\n") + SectionHelp(section);
  return help;
}

}  // namespace cog
