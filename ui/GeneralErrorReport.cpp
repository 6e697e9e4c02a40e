#include "GeneralErrorReport.h"

#include <windows.h>

#include "ExecutablePath.h"
#include "ProgramTitle.h"
#include "ReportTexts.h"

namespace pavina::ui {

std::string ProgramTitle() {
  return ProgramTitleFromPath(ExecutablePath());
}

void ShowGeneralErrorReport(const std::string& errorText) {
  ::MessageBoxA(nullptr, GeneralErrorText(errorText).c_str(), ProgramTitle().c_str(),
                MB_ICONERROR | MB_OK | MB_TASKMODAL);
}

}  // namespace pavina::ui
