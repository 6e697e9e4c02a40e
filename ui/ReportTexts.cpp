#include "ReportTexts.h"

std::string GeneralErrorText(const std::string& errorText) {
  if (!errorText.empty() && static_cast<unsigned char>(errorText.back()) > '.')
    return errorText + ".";
  return errorText;
}

std::string SettingsWriteErrorText(const std::string& path) {
  return "Unable to write to " + path;
}

std::string LeakReportText(std::uint64_t bytes) {
  return "Your application leaks " + std::to_string(bytes) + " bytes.";
}

std::string RetryMessageText(const std::string& text) {
  return text + " ,Try Again";
}
