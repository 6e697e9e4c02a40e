#include "DeviceResult.h"

namespace pavina::core {

std::optional<std::string> RetryText(const TDeviceResult& result) {
  switch (result.outcome) {
    case TDeviceOutcome::ClearFailed:
      return "Clear Error";
    case TDeviceOutcome::HeaderFailed:
      return "Header Error, Line " + std::to_string(result.line);
    case TDeviceOutcome::DataFailed:
      return "Data Error, Line " + std::to_string(result.line);
    case TDeviceOutcome::SizeAndPositionFailed:
      return "Size And Position Error";
    case TDeviceOutcome::Done:
    case TDeviceOutcome::Skipped:
    case TDeviceOutcome::Cancelled:
      break;
  }
  return std::nullopt;
}

void ReportFailure(const TFailureReport& report, const TDeviceResult& result) {
  if (report && RetryText(result)) report(result);
}

}  // namespace pavina::core
