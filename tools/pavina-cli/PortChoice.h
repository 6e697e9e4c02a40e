#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "SerialApi.h"

namespace pavina::cli {

// The port the command line or the settings file names, and how this system opens it.
struct TPortChoice {
  std::int32_t comNumber = 2;
  // A device given by its path instead of a number (POSIX); empty for COM ports.
  std::string device;
};

// "3", "COM3" or "com3"; on POSIX also a device path such as /dev/ttyUSB0.
std::optional<TPortChoice> ParsePortText(const std::string& text);

// How messages name the port: "COM2 (/dev/ttyS1)", "/dev/ttyUSB0", or "COM2" on Windows.
std::string PortDescription(const TPortChoice& port);

// The system's serial calls, with the chosen device behind the port's number.
std::unique_ptr<core::TSerialApi> MakeSerialApi(const TPortChoice& port);

// Why a port did not open, from the system's error code: "port in use", "no such port"...
std::string PortErrorText(std::uint32_t code);

}  // namespace pavina::cli
