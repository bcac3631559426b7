#include "ui/startup_notice.h"

#include "numtext/number_format.h"

namespace cog {

std::string StartupNoticeText(ToothLimits limits) {
  const std::string crlf = "\r\n";
  return "Using command line parameters" + crlf + "Minimum teeth = " + NumberText(limits.MinTeeth) +
         crlf + "Maximum teeth = " + NumberText(limits.MaxTeeth) + crlf +
         "Please allow up to several minutes to generate the ratio table.";
}

}  // namespace cog
