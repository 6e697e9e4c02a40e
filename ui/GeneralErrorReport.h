#pragma once

#include <string>

namespace pavina::ui {

// Where an error that no handler catches ends: a box modal to the program's windows,
// titled with the program's title, with the error icon. The program then goes on.
void ShowGeneralErrorReport(const std::string& errorText);

// The program's title, from the running executable's file name.
std::string ProgramTitle();

}  // namespace pavina::ui
