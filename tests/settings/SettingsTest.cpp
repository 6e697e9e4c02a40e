#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>

#include "Settings.h"

namespace pavina::settings {

namespace {

TEST(Settings, ValuesAreFoundAsTheProfileReaderFindsThem) {
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
    const TSettings s = ReadSettings(TProfileText(c.text));
    EXPECT_EQ(s.comPort, c.com) << c.text;
    EXPECT_EQ(s.keyOffset, c.offset) << c.text;
  }
}

TEST(Settings, TheFileBesideTheProgramOrNothing) {
  const std::string folder = testing::TempDir();
  std::remove((folder + "pavina.ini").c_str());
  EXPECT_EQ(ReadSettingsText(folder), "");
  EXPECT_EQ(ReadSettings(TProfileText(ReadSettingsText(folder))).comPort, 2);
  std::ofstream(folder + "pavina.ini") << "[VARS]\nCOM=15\nO=-3\n";
  const TSettings s = ReadSettings(TProfileText(ReadSettingsText(folder)));
  EXPECT_EQ(s.comPort, 15);
  EXPECT_EQ(s.keyOffset, -3);
  std::remove((folder + "pavina.ini").c_str());
}

}  // namespace

}  // namespace pavina::settings
