#include "win32/Win32Files.h"

#include <windows.h>

#include "parser/HtmlParser.h"

namespace htmlview {

bool TWin32Files::Exists(const std::string& name) {
  const DWORD attributes = ::GetFileAttributesA(name.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::string TWin32Files::FullPath(const std::string& name) {
  char buffer[MAX_PATH * 4] = {};
  const DWORD length = ::GetFullPathNameA(name.c_str(), sizeof(buffer), buffer, nullptr);
  if (length == 0 || length >= sizeof(buffer)) return name;
  return std::string(buffer, length);
}

std::string TWin32Files::Read(const std::string& name, std::size_t maxBytes) {
  return ReadWholeFile(name, maxBytes);
}

}  // namespace htmlview
