#include "app/command_forms.h"

#include <iterator>

namespace cog {

std::vector<CommandForm> TableForms() {
  return {{"find", {{"teeth", 2}}}, {"table", {{"teeth", 2}}}, {"session", {{"teeth", 2}}}};
}

std::vector<CommandForm> WorkshopForms() {
  std::vector<CommandForm> forms = {
      {"thread", {{"top", 1}, {"starts", 1}, {"length", 1}, {"all", 0}}},
      {"train", {{"target", 1}, {"starts", 1}, {"length", 1}}},
      {"chart", {{"list", 0}}},
      {"suggest", {{"from", 1}, {"to", 1}}},
  };
  // Every workshop command also takes the lathe and the format.
  const OptionForm lathe_options[] = {{"profile", 1},     {"leadscrew", 1}, {"gears", 1},
                                      {"fixed-ratio", 1}, {"max-error", 1}, {"format", 1}};
  for (CommandForm& form : forms)
    form.options.insert(form.options.end(), std::begin(lathe_options), std::end(lathe_options));
  return forms;
}

std::vector<CommandForm> DivideForms() {
  return {
      {"divide", {{"head", 1}, {"top", 1}, {"chart", 1}, {"format", 1}}},
      {"helix", {{"head", 1}, {"top", 1}, {"all", 0}, {"max-error", 1}, {"format", 1}}},
  };
}

std::vector<CommandForm> GearForms() {
  return {{"gear",
           {{"module", 1},
            {"dp", 1},
            {"cp", 1},
            {"pressure-angle", 1},
            {"helix", 1},
            {"shift", 1},
            {"pin", 1},
            {"head", 1},
            {"format", 1}}}};
}

std::vector<CommandForm> CliForms() {
  std::vector<CommandForm> forms = TableForms();
  for (CommandForm& form : WorkshopForms()) forms.push_back(std::move(form));
  for (CommandForm& form : DivideForms()) forms.push_back(std::move(form));
  for (CommandForm& form : GearForms()) forms.push_back(std::move(form));
  return forms;
}

}  // namespace cog
