#include "Win32SerialApi.h"

#include <windows.h>

#include <cstring>

namespace pavina::core {

namespace {
HANDLE ToHandle(TSerialApi::Handle handle) {
  return reinterpret_cast<HANDLE>(handle);
}
static_assert(sizeof(DCB) <= sizeof(TSerialApi::LineSettings::driverBlock),
              "the driver block must hold a whole DCB");
}  // namespace

std::string TWin32SerialApi::DeviceName(std::int32_t n) {
  return "\\\\.\\COM" + std::to_string(n);
}

TSerialApi::Handle TWin32SerialApi::OpenComPort(std::int32_t n) {
  HANDLE h = ::CreateFileA(DeviceName(n).c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                           OPEN_EXISTING, 0, nullptr);
  return reinterpret_cast<Handle>(h);
}

bool TWin32SerialApi::GetCommTimeouts(Handle handle, Timeouts& timeouts) {
  COMMTIMEOUTS t{};
  if (!::GetCommTimeouts(ToHandle(handle), &t)) return false;
  timeouts.readInterval = t.ReadIntervalTimeout;
  timeouts.readTotalMultiplier = t.ReadTotalTimeoutMultiplier;
  timeouts.readTotalConstant = t.ReadTotalTimeoutConstant;
  timeouts.writeTotalMultiplier = t.WriteTotalTimeoutMultiplier;
  timeouts.writeTotalConstant = t.WriteTotalTimeoutConstant;
  return true;
}

bool TWin32SerialApi::SetCommTimeouts(Handle handle, const Timeouts& timeouts) {
  COMMTIMEOUTS t{};
  t.ReadIntervalTimeout = timeouts.readInterval;
  t.ReadTotalTimeoutMultiplier = timeouts.readTotalMultiplier;
  t.ReadTotalTimeoutConstant = timeouts.readTotalConstant;
  t.WriteTotalTimeoutMultiplier = timeouts.writeTotalMultiplier;
  t.WriteTotalTimeoutConstant = timeouts.writeTotalConstant;
  return ::SetCommTimeouts(ToHandle(handle), &t) != 0;
}

bool TWin32SerialApi::GetCommState(Handle handle, LineSettings& settings) {
  DCB dcb{};
  dcb.DCBlength = sizeof(DCB);
  if (!::GetCommState(ToHandle(handle), &dcb)) return false;
  std::memcpy(settings.driverBlock.data(), &dcb, sizeof(DCB));
  settings.baudRate = dcb.BaudRate;
  settings.byteSize = dcb.ByteSize;
  settings.parity = dcb.Parity;
  settings.stopBits = dcb.StopBits;
  return true;
}

bool TWin32SerialApi::SetCommState(Handle handle, const LineSettings& settings) {
  DCB dcb{};
  std::memcpy(&dcb, settings.driverBlock.data(), sizeof(DCB));
  dcb.BaudRate = settings.baudRate;
  dcb.ByteSize = settings.byteSize;
  dcb.Parity = settings.parity;
  dcb.StopBits = settings.stopBits;
  return ::SetCommState(ToHandle(handle), &dcb) != 0;
}

bool TWin32SerialApi::SetCommMask(Handle handle, std::uint32_t mask) {
  return ::SetCommMask(ToHandle(handle), mask) != 0;
}

bool TWin32SerialApi::EscapeCommFunction(Handle handle, std::uint32_t function) {
  return ::EscapeCommFunction(ToHandle(handle), function) != 0;
}

bool TWin32SerialApi::WriteFile(Handle handle, const std::uint8_t* data, std::uint32_t length) {
  DWORD written = 0;
  return ::WriteFile(ToHandle(handle), data, length, &written, nullptr) != 0;
}

bool TWin32SerialApi::ReadFile(Handle handle, std::uint8_t& byte, std::uint32_t& bytesRead) {
  DWORD count = 0;
  const BOOL ok = ::ReadFile(ToHandle(handle), &byte, 1, &count, nullptr);
  bytesRead = count;
  return ok != 0;
}

bool TWin32SerialApi::CloseHandle(Handle handle) {
  return ::CloseHandle(ToHandle(handle)) != 0;
}

std::uint32_t TWin32SerialApi::GetLastError() {
  return ::GetLastError();
}

}  // namespace pavina::core
