#include "LeakReport.h"

#include <windows.h>

#include "CountingAllocator.h"
#include "ReportTexts.h"

namespace __gnu_cxx {
// The C++ runtime's own buffers (its emergency exception pool), which it otherwise keeps
// until the process ends.
void __freeres() noexcept;
}  // namespace __gnu_cxx

namespace pavina::ui {

void RunLeakReport() {
  ::__gnu_cxx::__freeres();
  const std::uint64_t bytes = AllocatedBytes();
  if (bytes == 0) return;
  ::MessageBoxA(nullptr, LeakReportText(bytes).c_str(), "Memory Leak", MB_ICONWARNING | MB_OK);
}

}  // namespace pavina::ui
