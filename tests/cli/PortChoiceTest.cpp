#include <gtest/gtest.h>

#include "PortChoice.h"

namespace pavina::cli {

namespace {

TEST(PortChoice, NumbersNamesAndDevices) {
  EXPECT_EQ(ParsePortText("3")->comNumber, 3);
  EXPECT_EQ(ParsePortText("com12")->comNumber, 12);
  EXPECT_EQ(ParsePortText("COM255")->comNumber, 255);
  for (const char* refused : {"0", "COM0", "256", "COM", "COM3x", "-1", "ttyS0", ""})
    EXPECT_FALSE(ParsePortText(refused)) << refused;
#ifdef _WIN32
  EXPECT_FALSE(ParsePortText("/dev/ttyUSB0"));
  EXPECT_EQ(PortDescription(*ParsePortText("COM4")), "COM4");
#else
  const auto usb = ParsePortText("/dev/ttyUSB0");
  ASSERT_TRUE(usb);
  EXPECT_EQ(usb->device, "/dev/ttyUSB0");
  EXPECT_EQ(PortDescription(*usb), "/dev/ttyUSB0");
  EXPECT_EQ(PortDescription(*ParsePortText("COM4")), "COM4 (/dev/ttyS3)");
#endif
}

}  // namespace

}  // namespace pavina::cli
