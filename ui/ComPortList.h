#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "SerialApi.h"

namespace pavina::ui {

// Finding the serial ports that exist and are free, for the COM port dialog.

// Status of a probed port, in the high half of the probe result.
enum class TPortStatus : std::uint16_t { InUse = 0, Free = 1, Missing = 2 };

inline constexpr std::uint16_t kFirstListedPort = 1;
inline constexpr std::uint16_t kLastListedPort = 32;

// Opens the port as the link does (exclusively, by its device-namespace name, so that
// COM10 and above are found too) and closes it again at once. The port number travels in
// the low half of the result, the status in the high half.
std::uint32_t ProbeComPort(core::TSerialApi& serial, std::uint16_t port);

inline std::uint16_t ProbedPort(std::uint32_t result) {
  return static_cast<std::uint16_t>(result & 0xFFFFu);
}
inline TPortStatus ProbedStatus(std::uint32_t result) {
  return static_cast<TPortStatus>(result >> 16);
}

// "COM " and the number: the number always begins at the fifth character.
std::string PortListEntry(std::int32_t port);

// The entries of every free port from COM1 to COM32, in ascending order.
std::vector<std::string> FreePortEntries(const std::function<std::uint32_t(std::uint16_t)>& probe);

// The number in the fifth and sixth characters of an entry; 0 when there is none.
std::int32_t PortFromListEntry(const std::string& entry);

}  // namespace pavina::ui
