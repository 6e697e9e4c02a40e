#include "SettingsFile.h"

#include <windows.h>

#include <array>
#include <stdexcept>

#include "ExecutablePath.h"
#include "ProfileInteger.h"
#include "ReportTexts.h"

namespace pavina::ui {

namespace {
constexpr std::size_t kValueBufferSize = 2048;
}

std::string SettingsFilePath() {
  return ExecutableFolder() + settings::kSettingsFileName;
}

std::optional<std::string> TIniFile::Value(const char* section, const char* key) const {
  std::array<char, kValueBufferSize> buffer{};
  const DWORD length = ::GetPrivateProfileStringA(section, key, "", buffer.data(),
                                                  static_cast<DWORD>(buffer.size()), path_.c_str());
  return std::string(buffer.data(), length);
}

void TIniFile::WriteInteger(const char* section, const char* key, std::int32_t value) const {
  if (!::WritePrivateProfileStringA(section, key, settings::IntegerToProfileText(value).c_str(),
                                    path_.c_str()))
    throw std::runtime_error(SettingsWriteErrorText(path_));
}

}  // namespace pavina::ui
