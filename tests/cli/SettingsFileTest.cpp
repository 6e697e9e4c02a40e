#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>

#include "PortChoice.h"
#include "SettingsFile.h"

namespace pavina::cli {

namespace {

TEST(SettingsFile, ValuesAreFoundAsTheProfileReaderFindsThem) {
  const struct {
    const char* text;
    std::int32_t com;
    std::int16_t offset;
  } cases[] = {
      {"", 2, 5},
      {"[VARS]\nCOM=3\nO=-7\n", 3, -7},
      {"[vars]\r\ncom = 4\r\no= 0 \r\n", 4, 0},
      {"[OTHER]\nCOM=9\n[VARS]\nO=2\n", 2, 2},
      {"[VARS]\nCOM=\"6\"\n", 6, 5},
      {"[VARS]\nCOM=0x3\nO=$FFFFFFFF\n", 3, -1},
      {"[VARS]\nCOM=3a\nO=\n", 2, 5},
      {"[VARS]\nCOM=11\nCOM=12\n", 11, 5},
      // Only the first section of the name counts, as with the window's reader.
      {"[VARS]\nO=1\n[X]\n[VARS]\nCOM=8\n", 2, 1},
      // The offset is taken as the window's up-down takes it: its low 16 bits.
      {"[VARS]\nO=65539\n", 2, 3},
      {"COM=7\n[VARS]\n", 2, 5},
  };
  for (const auto& c : cases) {
    const TCliSettings s = SettingsFromText(c.text);
    EXPECT_EQ(s.comPort, c.com) << c.text;
    EXPECT_EQ(s.keyOffset, c.offset) << c.text;
  }
}

TEST(SettingsFile, TheFileBesideTheProgramOrTheDefaults) {
  const std::string folder = testing::TempDir();
  std::remove((folder + "pavina.ini").c_str());
  EXPECT_EQ(LoadSettingsBeside(folder).comPort, 2);
  std::ofstream(folder + "pavina.ini") << "[VARS]\nCOM=15\nO=-3\n";
  const TCliSettings s = LoadSettingsBeside(folder);
  EXPECT_EQ(s.comPort, 15);
  EXPECT_EQ(s.keyOffset, -3);
  std::remove((folder + "pavina.ini").c_str());
}

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
