#include "ui/about_text.h"

#include <array>

namespace cog {
namespace {

constexpr std::array<const char*, 33> kLines = {
    "Cogwright, 0.9 Beta",
    "Written by the Cogwright developers. Free to use, copy and share.",
    "",
    "The name joins the cog, the tooth of a gear, with the wright, an old word for a",
    "maker. The program is designed to assist prehistoric machinists still struggling",
    "with the selection of individual change gears, rather than the infinite possibilites",
    "offered by CNC controls.",
    "",
    "The program will create a sorted list of all the possible gear ratios that can be",
    "obtained using two compound ratios. You will then enter a desired ratio and the",
    "program will search the list for the best match. The ratio might use gears that are",
    "not available, so you have the option of moving up and down the sorted list to find",
    "a suitable substitute. The error between the target and the actual will be displayed.",
    "",
    "The current tooth limits are 16 and 72 teeth, giving ratios between .0494 and 20.25.",
    "You can change the tooth limits by adding a minimum and maximum value on the",
    "command line that launches the program. The program is internally limited to",
    "130 teeth, as above that memory usage and processing time become unreasonable.",
    "",
    "Single pair ratios are indicated whenever one of the compounds is 1:1, though it may",
    "require moving through quite a few combinations to locate these. They will be greyed.",
    "",
    "Checking the Single Ratios Only box will eliminate the second compound as you search",
    "up and down, but Find will always return the best double compound match even if the",
    "box is checked.",
    "",
    "Note that the large number of possible ratios makes the program memory intensive and",
    "older computers with limited speed and resources may not be suitable unless the gear",
    "table is limited to say, 16 and 50. Create a shortcut for the program and edit the",
    "target by adding 16 and 50 after the final quote mark. You can also go up to 130,",
    "but the load time might be several minutes, especially if the computer has to page",
    "from the hard drive. The program is still early in its development- I'll be improving",
    "it as time allows.",
};

std::string JoinLines() {
  std::string text;
  for (std::size_t i = 0; i < kLines.size(); ++i) {
    if (i > 0) text += "\r\n";
    text += kLines[i];
  }
  return text;
}

}  // namespace

const std::string& AboutText() {
  static const std::string text = JoinLines();
  return text;
}

}  // namespace cog
