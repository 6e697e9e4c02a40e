#include "PortChoice.h"

#ifdef _WIN32
#include <windows.h>

#include "Win32SerialApi.h"
#else
#include <cerrno>
#include <cstring>

#include "PosixSerialApi.h"
#endif

namespace pavina::cli {

namespace {
constexpr std::int32_t kMaxComNumber = 255;

std::optional<std::int32_t> ComNumber(const std::string& text) {
  std::size_t i = 0;
  if (text.size() > 3 && (text[0] == 'C' || text[0] == 'c') && (text[1] == 'O' || text[1] == 'o') &&
      (text[2] == 'M' || text[2] == 'm'))
    i = 3;
  if (i == text.size() || text.size() - i > 3) return std::nullopt;
  std::int32_t n = 0;
  for (; i < text.size(); ++i) {
    if (text[i] < '0' || text[i] > '9') return std::nullopt;
    n = n * 10 + (text[i] - '0');
  }
  if (n < 1 || n > kMaxComNumber) return std::nullopt;
  return n;
}
}  // namespace

std::optional<TPortChoice> ParsePortText(const std::string& text) {
  if (const auto n = ComNumber(text)) return TPortChoice{*n, {}};
#ifndef _WIN32
  if (text.find('/') != std::string::npos) return TPortChoice{1, text};
#endif
  return std::nullopt;
}

std::string PortDescription(const TPortChoice& port) {
  if (!port.device.empty()) return port.device;
  const std::string name = "COM" + std::to_string(port.comNumber);
#ifdef _WIN32
  return name;
#else
  const auto device = core::TPosixSerialApi::StandardDevice(port.comNumber);
  return device ? name + " (" + *device + ")" : name;
#endif
}

std::unique_ptr<core::TSerialApi> MakeSerialApi([[maybe_unused]] const TPortChoice& port) {
#ifdef _WIN32
  return std::make_unique<core::TWin32SerialApi>();
#else
  if (port.device.empty()) return std::make_unique<core::TPosixSerialApi>();
  return std::make_unique<core::TPosixSerialApi>(
      std::map<int, std::string>{{port.comNumber, port.device}});
#endif
}

std::string PortErrorText(std::uint32_t code) {
#ifdef _WIN32
  switch (code) {
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
      return "no such port";
    case ERROR_ACCESS_DENIED:
    case ERROR_SHARING_VIOLATION:
      return "port in use";
    default: {
      char text[256] = {};
      FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, code, 0,
                     text, sizeof text, nullptr);
      std::string reason = text;
      while (!reason.empty() && (reason.back() == '\n' || reason.back() == '\r' ||
                                 reason.back() == ' ' || reason.back() == '.'))
        reason.pop_back();
      return "cannot be opened (error " + std::to_string(code) +
             (reason.empty() ? "" : ": " + reason) + ")";
    }
  }
#else
  switch (code) {
    case ENOENT:
    case ENXIO:
    case ENODEV:
      return "no such port";
    case EBUSY:
      return "port in use";
    case ENOTTY:
      return "not a serial port";
    default:
      return std::strerror(static_cast<int>(code));
  }
#endif
}

}  // namespace pavina::cli
