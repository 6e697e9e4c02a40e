#pragma once

#include <optional>
#include <string>

namespace pavina::settings {

// A value of a private-profile text the way the system's profile reader finds it: the
// first section of that name and its first such key, names in any letter case, the value
// without the blanks around it or one pair of enclosing quotes, at most 2047 characters.
std::optional<std::string> ProfileValue(const std::string& text, const std::string& section,
                                        const std::string& key);

}  // namespace pavina::settings
