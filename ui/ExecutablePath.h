#pragma once

#include <string>

namespace pavina::ui {

// The running executable's full path, and its folder with the trailing separator.
std::string ExecutablePath();
std::string ExecutableFolder();

}  // namespace pavina::ui
