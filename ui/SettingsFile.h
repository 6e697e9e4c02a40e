#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "Settings.h"

namespace pavina::ui {

// The file's full path: the executable's folder and "pavina.ini", whatever the working
// folder is.
std::string SettingsFilePath();

// Holds only the path: every read and write goes straight to the private-profile calls.
// The settings library reads the values from it (settings::ReadSettings).
class TIniFile final : public settings::TProfileSource {
 public:
  explicit TIniFile(std::string path) : path_(std::move(path)) {}

  const std::string& FileName() const { return path_; }
  // The stored text; empty when there is none.
  std::optional<std::string> Value(const char* section, const char* key) const override;
  // Throws std::runtime_error "Unable to write to <path>" when the write fails.
  void WriteInteger(const char* section, const char* key, std::int32_t value) const;

 private:
  std::string path_;
};

}  // namespace pavina::ui
