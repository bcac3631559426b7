#include "ui/startup_notice.h"

#include <gtest/gtest.h>

namespace cog {
namespace {

TEST(StartupNoticeTest, NoticeText) {
  EXPECT_EQ(StartupNoticeText({16, 50}),
            "Using command line parameters\r\n"
            "Minimum teeth =  16\r\n"
            "Maximum teeth =  50\r\n"
            "Please allow up to several minutes to generate the ratio table.");
  EXPECT_EQ(StartupNoticeText({6, 130}),
            "Using command line parameters\r\n"
            "Minimum teeth =  6\r\n"
            "Maximum teeth =  130\r\n"
            "Please allow up to several minutes to generate the ratio table.");
}

}  // namespace
}  // namespace cog
