#include "ReportTexts.h"

#include <new>

namespace pavina::ui {

std::string GeneralErrorText(const std::string& errorText) {
  if (!errorText.empty() && static_cast<unsigned char>(errorText.back()) > '.')
    return errorText + ".";
  return errorText;
}

std::string ErrorText(const std::exception& error) {
  if (dynamic_cast<const std::bad_alloc*>(&error)) return "Out of memory";
  return error.what();
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

}  // namespace pavina::ui
