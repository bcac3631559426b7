#include "app/gear_command.h"

#include <ostream>

#include "app/head_file.h"
#include "divider/head.h"
#include "gearcut/gear_job.h"
#include "gearcut/gear_question.h"
#include "gears/fraction_text.h"
#include "numtext/quoted_text.h"
#include "report/gear_sheet.h"

namespace cog {

std::string GearHelp() {
  const std::string teeth = std::to_string(kMinGearTeeth) + " to " + std::to_string(kMaxGearTeeth);
  return "Cutting a gear with a form cutter on your dividing head:\n"
         "  cogwright-cli gear Z (--module M | --dp P | --cp C) [--pressure-angle A]\n"
         "                [--helix ANGLE{R|L}] [--shift X] [--pin D] [--head F]\n"
         "      The job sheet for a spur or helical gear of Z teeth (" +
         teeth +
         "): the\n"
         "      blank, the cutter of the set of eight, the depth, the indexing (the\n"
         "      head's best way, as divide Z gives it), the lead and its change gears\n"
         "      (the first train helix LEAD --all gives), and the checks: span over k\n"
         "      teeth, chordal thickness and height, over two pins (spur gears).\n"
         "      Geometry by ISO 21771; a module gear on the ISO 53 rack (addendum m,\n"
         "      dedendum 1.25 m), a DP or CP gear on the inch full-depth rack (addendum\n"
         "      1/P, dedendum 1.157/P: the depth 2.157/P a DP cutter is marked with).\n"
         "\n"
         "  --module M           normal module in mm; --dp P diametral pitch (m = 25.4/P);\n"
         "                       --cp C circular pitch in inches (m = 25.4 C/pi); one of them\n"
         "  --pressure-angle A   degrees, above 0 and below 45 (default " +
         ShortestText(kDefaultPressureDeg) +
         ")\n"
         "  --helix ANGLE{R|L}   helix angle above 0 and below 90 and its hand: 22.5R,\n"
         "                       15L, 22d30mR\n"
         "  --shift X            profile shift coefficient, -" +
         ShortestText(kMaxShift) + " to " + ShortestText(kMaxShift) +
         " (default 0)\n"
         "  --pin D              your pins' diameter in mm; without it the usual 1.728 m\n"
         "  --format text|json|csv|html\n";
}

namespace {

std::optional<std::string> Option(const Arguments& args, const char* name) {
  if (!args.Has(name)) return std::nullopt;
  return args.Value(name);
}

// The option the core's input names, for the message.
std::string OptionOf(const std::string& input) {
  if (input == "pressure_angle") return "--pressure-angle";
  if (input == "teeth" || input == "size") return "";
  return "--" + input;
}

bool Gear(const Arguments& args, std::ostream& out, std::string* fail) {
  if (args.positional.size() != 1)
    return *fail = "gear needs one Z, the number of teeth, e.g. gear 40 --module 2", false;
  GearTexts texts;
  texts.teeth = args.positional[0];
  texts.module = Option(args, "module");
  texts.dp = Option(args, "dp");
  texts.cp = Option(args, "cp");
  texts.pressure_angle = Option(args, "pressure-angle");
  texts.helix = Option(args, "helix");
  texts.shift = Option(args, "shift");
  texts.pin = Option(args, "pin");
  GearAsked asked;
  Status error;
  if (!ReadGearTexts(texts, &asked, &error)) {
    const std::string option = OptionOf(error.input());
    if (error.input() == "size")
      *fail = error.missing() ? "gear needs a size: --module M, --dp P or --cp C"
                              : "gear takes one size only: --module M, --dp P or --cp C";
    else
      *fail = (option.empty() ? "" : option + ": ") + error.why();
    return false;
  }
  const std::string format = args.Value("format", "text");
  if (format != "text" && format != "json" && format != "csv" && format != "html")
    return *fail = "--format " + Quoted(format) + " is not one of the formats gear writes", false;
  DividingHead head = BuiltInHead();
  if (args.Has("head")) {
    std::string text;
    if (const Status bad = ReadHeadFile(args.Value("head"), &text); !bad.ok())
      return *fail = bad.why(), false;
    if (const Status bad = ReadHead(text, &head); !bad.ok())
      return *fail = "head " + args.Value("head") + ": " + bad.why(), false;
  }
  GearJob job;
  if (!MakeGearJob(asked, head, &job, fail)) {
    if (asked.pin_mm) *fail = "--pin: " + *fail;
    return false;
  }
  if (format == "json") out << GearJson(head, job);
  if (format == "csv") out << GearCsv(head, job);
  if (format == "html") out << GearHtml(head, job);
  if (format == "text") out << GearText(head, job);
  return true;
}

}  // namespace

int RunGear(const Arguments& args, std::ostream& out, std::ostream& err) {
  std::string fail;
  if (Gear(args, out, &fail)) return 0;
  err << "cogwright-cli: " << fail << '\n';
  return 2;
}

}  // namespace cog
