#include <gtest/gtest.h>

#include <windows.h>

#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>

#include "ExecutablePath.h"
#include "SettingsFile.h"

namespace pavina::ui {

namespace {

// A fresh folder of its own under the temporary folder.
class SettingsFile : public ::testing::Test {
 protected:
  void SetUp() override {
    char temp[MAX_PATH] = {};
    ::GetTempPathA(MAX_PATH, temp);
    folder_ = std::string(temp) + "pavina-settings-" + std::to_string(::GetCurrentProcessId());
    ::CreateDirectoryA(folder_.c_str(), nullptr);
    path_ = folder_ + "\\pavina.ini";
  }
  void TearDown() override {
    ::DeleteFileA(path_.c_str());
    ::RemoveDirectoryA(path_.c_str());
    ::RemoveDirectoryA(folder_.c_str());
  }
  std::string FileText() const {
    std::ifstream in(path_, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
  }
  void Store(const char* key, const char* value) const {
    ASSERT_TRUE(
        ::WritePrivateProfileStringA(settings::kSettingsSection, key, value, path_.c_str()));
  }

  std::string folder_;
  std::string path_;
};

TEST_F(SettingsFile, MissingFileGivesDefaultsAndTheFirstWriteCreatesIt) {
  const TIniFile file(path_);
  EXPECT_EQ(settings::ReadSettings(file).comPort, 2);
  EXPECT_EQ(settings::ReadSettings(file).keyOffset, 5);
  EXPECT_EQ(::GetFileAttributesA(path_.c_str()), INVALID_FILE_ATTRIBUTES);

  file.WriteInteger(settings::kSettingsSection, settings::kKeyOffsetKey, -7);
  const std::string text = FileText();
  EXPECT_NE(text.find("[VARS]"), std::string::npos) << text;
  EXPECT_NE(text.find("O=-7"), std::string::npos) << text;
  EXPECT_EQ(text.find("COM="), std::string::npos) << text;
  EXPECT_EQ(settings::ReadSettings(file).keyOffset, -7);
}

TEST_F(SettingsFile, StoredTextIsReadWithTheIntegerRules) {
  const TIniFile file(path_);
  const struct {
    const char* stored;
    std::int32_t expected;
  } cases[] = {{"0x3", 3},        {"$3", 3}, {"3", 3},           {"3a", 2},
               {"$FFFFFFFF", -1}, {"", 2},   {"99999999999", 2}, {"-0", 0}};
  for (const auto& c : cases) {
    Store(settings::kComPortKey, c.stored);
    EXPECT_EQ(settings::ReadSettings(file).comPort, c.expected) << c.stored;
  }
  // Another section or key is not ours and stays as it is.
  ASSERT_TRUE(::WritePrivateProfileStringA("OTHER", "COM", "9", path_.c_str()));
  file.WriteInteger(settings::kSettingsSection, settings::kComPortKey, 4);
  EXPECT_EQ(file.Value("OTHER", "COM"), "9");
  EXPECT_EQ(settings::ReadSettings(file).comPort, 4);
}

TEST_F(SettingsFile, AFailedWriteRaisesUnableToWriteWithThePathAndStoresNothing) {
  ASSERT_TRUE(::CreateDirectoryA(path_.c_str(), nullptr));  // a folder where the file goes
  const TIniFile file(path_);
  try {
    file.WriteInteger(settings::kSettingsSection, settings::kKeyOffsetKey, -7);
    FAIL() << "the write did not fail";
  } catch (const std::runtime_error& error) {
    EXPECT_EQ(std::string(error.what()), "Unable to write to " + path_);
  }
  // Neither the value written nor the default: nothing was stored anywhere.
  EXPECT_EQ(file.Value(settings::kSettingsSection, settings::kKeyOffsetKey), "");
  EXPECT_NE(::GetFileAttributesA(path_.c_str()) & FILE_ATTRIBUTE_DIRECTORY, 0u);
}

TEST(SettingsFilePath, LiesBesideTheExecutableWhateverTheWorkingFolder) {
  char temp[MAX_PATH] = {};
  ::GetTempPathA(MAX_PATH, temp);
  ::SetCurrentDirectoryA(temp);
  const std::string folder = ExecutableFolder();
  ASSERT_FALSE(folder.empty());
  EXPECT_EQ(folder.back(), '\\');
  EXPECT_EQ(ExecutablePath().rfind(folder, 0), 0u);
  EXPECT_EQ(SettingsFilePath(), folder + "pavina.ini");
}

}  // namespace

}  // namespace pavina::ui
