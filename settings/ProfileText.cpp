#include "ProfileText.h"

#include <cctype>
#include <sstream>

namespace pavina::settings {

namespace {
constexpr std::size_t kMaxValueLength = 2047;

std::string Trim(const std::string& s) {
  const auto first = s.find_first_not_of(" \t\r");
  if (first == std::string::npos) return {};
  return s.substr(first, s.find_last_not_of(" \t\r") - first + 1);
}

bool SameName(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(a[i])) !=
        std::tolower(static_cast<unsigned char>(b[i])))
      return false;
  return true;
}
}  // namespace

std::optional<std::string> ProfileValue(const std::string& text, const std::string& section,
                                        const std::string& key) {
  std::istringstream lines(text);
  std::string line;
  bool inSection = false, sectionSeen = false;
  while (std::getline(lines, line)) {
    const std::string trimmed = Trim(line);
    if (!trimmed.empty() && trimmed[0] == '[') {
      const auto close = trimmed.find(']');
      const bool match = SameName(Trim(trimmed.substr(1, close - 1)), section);
      // Only the first section of the name counts.
      if (inSection || (match && sectionSeen)) return std::nullopt;
      inSection = match;
      sectionSeen = sectionSeen || match;
      continue;
    }
    if (!inSection) continue;
    const auto equals = trimmed.find('=');
    if (equals == std::string::npos || !SameName(Trim(trimmed.substr(0, equals)), key)) continue;
    std::string value = Trim(trimmed.substr(equals + 1));
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
        value.back() == value.front())
      value = value.substr(1, value.size() - 2);
    return value.substr(0, kMaxValueLength);
  }
  return std::nullopt;
}

}  // namespace pavina::settings
