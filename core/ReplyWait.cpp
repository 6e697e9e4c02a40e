#include "LogoCore.h"

namespace pavina::core {

// Polls the port without pausing until something arrives, the time runs out or Cancel is
// pressed. A byte that has arrived by a read decides the result even when the time has
// run out or Cancel was pressed: those two act only while nothing has come.
bool TLogoCore::WaitReply(std::uint8_t expected, std::int32_t timeoutMs, bool withProgress,
                          bool processEvents) {
  const std::uint32_t start = clock_.TickCount();
  TBytes collected;
  if (withProgress) {
    view_.SetProgressMax(timeoutMs);
    view_.SetProgressPosition(0);
  }
  bool got = false;
  for (;;) {
    TBytes arrived;
    ReadAvailable(arrived);
    collected.insert(collected.end(), arrived.begin(), arrived.end());
    got = !collected.empty();
    if (withProgress)
      view_.SetProgressPosition(static_cast<std::int32_t>(clock_.TickCount() - start));
    if (processEvents) view_.ProcessPendingEvents();
    if (got) break;
    // Unsigned elapsed time against the signed time-out, compared as 64-bit values so that
    // a negative time-out ends the wait after one pass and a wrap of the counter is harmless.
    const std::uint32_t elapsed = clock_.TickCount() - start;
    if (static_cast<std::int64_t>(elapsed) > static_cast<std::int64_t>(timeoutMs)) break;
    if (FCancel) break;
  }
  const bool result = got && collected.front() == expected;
  if (withProgress) view_.SetProgressPosition(0);
  return result;
}

}  // namespace pavina::core
