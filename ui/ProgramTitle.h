#pragma once

#include <string>

namespace pavina::ui {

// The program's title from its executable's path: the file name without its folder and
// without everything from its first ".", every letter after the first in lower case
// ("C:\Tools\PAVINA.EXE" gives "Pavina").
std::string ProgramTitleFromPath(const std::string& executablePath);

}  // namespace pavina::ui
