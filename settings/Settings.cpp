#include "Settings.h"

#include <fstream>

#include "ProfileInteger.h"
#include "ProfileText.h"

namespace pavina::settings {

namespace {
// A settings file holds two short lines; a huge one is read only this far.
constexpr std::size_t kMaxFileBytes = 1 << 20;
}  // namespace

std::optional<std::string> TProfileText::Value(const char* section, const char* key) const {
  return ProfileValue(text_, section, key);
}

TSettings ReadSettings(const TProfileSource& source) {
  const auto integer = [&source](const char* key, std::int32_t defaultValue) {
    return ProfileTextToInteger(source.Value(kSettingsSection, key).value_or(""), defaultValue);
  };
  TSettings settings;
  settings.comPort = integer(kComPortKey, kDefaultComPort);
  settings.keyOffset = static_cast<std::int16_t>(integer(kKeyOffsetKey, kDefaultKeyOffset));
  return settings;
}

std::string ReadSettingsText(const std::string& folder) {
  std::ifstream file(folder + kSettingsFileName, std::ios::binary);
  if (!file) return {};
  std::string text(kMaxFileBytes, '\0');
  file.read(&text[0], static_cast<std::streamsize>(text.size()));
  text.resize(static_cast<std::size_t>(file.gcount()));
  return text;
}

}  // namespace pavina::settings
