#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace pavina::core {

// How an exchange with the inserter ended: a Send (frame and upload) or a position command.
enum class TDeviceOutcome {
  Done,
  Skipped,  // nothing to do: no image to send, or no inserter found for a position
  ClearFailed,
  HeaderFailed,
  DataFailed,
  SizeAndPositionFailed,
  Cancelled,
};

struct TDeviceResult {
  TDeviceOutcome outcome = TDeviceOutcome::Done;
  std::int32_t line = 0;  // the line of a header or data failure, counted from 0

  friend bool operator==(const TDeviceResult& a, const TDeviceResult& b) {
    return a.outcome == b.outcome && a.line == b.line;
  }
};

// Told of each failure at the moment the window shows its message, so that the messages
// keep their place among the exchanges (a header error is shown before the closing size
// and position is sent, whose own failure may follow).
using TFailureReport = std::function<void(const TDeviceResult&)>;

// Tells `report`, where there is one, of a result that the window shows a message for.
void ReportFailure(const TFailureReport& report, const TDeviceResult& result);

// The text of a failure's retry message ("Header Error, Line 4"), without " ,Try Again";
// nothing for an outcome that shows no message.
std::optional<std::string> RetryText(const TDeviceResult& result);

}  // namespace pavina::core
