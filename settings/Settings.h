#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace pavina::settings {

// The settings file "pavina.ini" beside the executable, section "VARS".
inline constexpr const char* kSettingsFileName = "pavina.ini";
inline constexpr const char* kSettingsSection = "VARS";
inline constexpr const char* kComPortKey = "COM";
inline constexpr const char* kKeyOffsetKey = "O";
inline constexpr std::int32_t kDefaultComPort = 2;
inline constexpr std::int32_t kDefaultKeyOffset = 5;

// Where the values' texts come from: the system's private-profile calls in the window
// program, the file's text in pavina-cli.
class TProfileSource {
 public:
  virtual ~TProfileSource() = default;
  // The value's text; nothing, or an empty text, when there is none.
  virtual std::optional<std::string> Value(const char* section, const char* key) const = 0;
};

// A settings file's text, its values found the way the system's profile reader finds them.
class TProfileText final : public TProfileSource {
 public:
  explicit TProfileText(std::string text) : text_(std::move(text)) {}
  std::optional<std::string> Value(const char* section, const char* key) const override;

 private:
  std::string text_;
};

struct TSettings {
  std::int32_t comPort = kDefaultComPort;
  std::int16_t keyOffset = static_cast<std::int16_t>(kDefaultKeyOffset);
};

// The port number and the key offset. A missing or malformed value gives its default; the
// key offset is taken as the window's up-down takes it, as its low 16 bits.
TSettings ReadSettings(const TProfileSource& source);

// The text of "pavina.ini" in the folder (given with its trailing separator), at most
// 1 MiB of it; empty when there is no such file.
std::string ReadSettingsText(const std::string& folder);

}  // namespace pavina::settings
