#include "ProgramTitle.h"

#include <cctype>

namespace pavina::ui {

std::string ProgramTitleFromPath(const std::string& executablePath) {
  const auto slash = executablePath.find_last_of("\\/:");
  std::string name = slash == std::string::npos ? executablePath : executablePath.substr(slash + 1);
  name = name.substr(0, name.find('.'));
  for (std::size_t i = 1; i < name.size(); ++i)
    name[i] = static_cast<char>(std::tolower(static_cast<unsigned char>(name[i])));
  return name;
}

}  // namespace pavina::ui
