#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace pavina::cli {

// The window program's "pavina.ini" beside the executable, section "VARS": the port number
// ("COM", default 2) and the key offset ("O", default 5). Read only; the window writes it.
struct TCliSettings {
  std::int32_t comPort = 2;
  std::int16_t keyOffset = 5;
};

// A value of a private-profile text the way the system's profile reader finds it: the
// first section of that name and its first such key, names in any letter case, the value
// without the blanks around it or one pair of enclosing quotes, at most 2047 characters.
std::optional<std::string> ProfileValue(const std::string& text, const std::string& section,
                                        const std::string& key);

// The settings from the file's text; missing or malformed values give the defaults, and
// the key offset is taken as the window's control takes it, as its low 16 bits.
TCliSettings SettingsFromText(const std::string& text);

// The settings from "pavina.ini" in the folder (with its trailing separator), or the
// defaults when there is no such file.
TCliSettings LoadSettingsBeside(const std::string& folder);

}  // namespace pavina::cli
