#pragma once

#include <cstdint>
#include <exception>
#include <string>

namespace pavina::ui {

// Texts of the boxes that report to the operator, kept apart from the boxes themselves.

// The general error report's text: the error's text with a full stop added when its last
// character sorts above ".".
std::string GeneralErrorText(const std::string& errorText);

// The text an error shows in the general error report: its own, except that running out of
// memory reads as the operator would say it rather than as the library's class name.
std::string ErrorText(const std::exception& error);

// "Unable to write to " and the settings file's full path.
std::string SettingsWriteErrorText(const std::string& path);

// The leak report: always "bytes", also for a single one.
std::string LeakReportText(std::uint64_t bytes);

// The text and caption of a retry message: text directly followed by " ,Try Again".
std::string RetryMessageText(const std::string& text);
inline constexpr const char* kRetryMessageCaption = "Info";

}  // namespace pavina::ui
