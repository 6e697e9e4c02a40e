#include "ComPortList.h"

#include "LogoCore.h"
#include "ProfileInteger.h"

namespace pavina::ui {

namespace {
constexpr std::uint32_t kErrorFileNotFound = 2;
constexpr std::size_t kEntryNumberStart = 4;  // zero-based: the fifth character
constexpr std::size_t kEntryNumberLength = 2;
}  // namespace

std::uint32_t ProbeComPort(core::TSerialApi& serial, std::uint16_t port) {
  TPortStatus status = TPortStatus::InUse;
  const core::TSerialApi::Handle handle = serial.OpenComPort(port);
  if (handle != core::TSerialApi::kInvalidHandle) {
    serial.CloseHandle(handle);
    status = TPortStatus::Free;
  } else if (serial.GetLastError() == kErrorFileNotFound) {
    status = TPortStatus::Missing;
  }
  return std::uint32_t{port} | (static_cast<std::uint32_t>(status) << 16);
}

std::string PortListEntry(std::int32_t port) {
  return "COM " + std::to_string(port);
}

std::vector<std::string> FreePortEntries(const std::function<std::uint32_t(std::uint16_t)>& probe) {
  std::vector<std::string> entries;
  for (std::uint16_t port = kFirstListedPort; port <= kLastListedPort; ++port)
    if (ProbedStatus(probe(port)) == TPortStatus::Free) entries.push_back(PortListEntry(port));
  return entries;
}

std::int32_t PortFromListEntry(const std::string& entry) {
  if (entry.size() <= kEntryNumberStart) return 0;
  return settings::ProfileTextToInteger(entry.substr(kEntryNumberStart, kEntryNumberLength), 0);
}

}  // namespace pavina::ui
