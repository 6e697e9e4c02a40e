#pragma once

#include <cstdint>
#include <string>

namespace pavina::ui {

// The settings file "pavina.ini" beside the executable, section "VARS".
inline constexpr const char* kSettingsSection = "VARS";
inline constexpr const char* kComPortKey = "COM";
inline constexpr const char* kKeyOffsetKey = "O";
inline constexpr std::int32_t kDefaultComPort = 2;
inline constexpr std::int32_t kDefaultKeyOffset = 5;

// The file's full path: the executable's folder and "pavina.ini", whatever the working
// folder is.
std::string SettingsFilePath();

// Holds only the path: every read and write goes straight to the private-profile calls.
class TIniFile {
 public:
  explicit TIniFile(std::string path) : path_(std::move(path)) {}

  const std::string& FileName() const { return path_; }
  // The stored value, or defaultValue when it is missing or no whole number.
  std::int32_t ReadInteger(const char* section, const char* key, std::int32_t defaultValue) const;
  // Throws std::runtime_error "Unable to write to <path>" when the write fails.
  void WriteInteger(const char* section, const char* key, std::int32_t value) const;

 private:
  std::string path_;
};

}  // namespace pavina::ui
