#include "ExecutableFolder.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <unistd.h>
#endif

#include <vector>

namespace pavina::cli {

std::string ExecutableFolder() {
  std::vector<char> path(4096);
#ifdef _WIN32
  const DWORD length = GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
  if (length == 0 || length >= path.size()) return {};
  const std::string full(path.data(), length);
  const auto slash = full.find_last_of("\\/");
#else
  const ssize_t length = readlink("/proc/self/exe", path.data(), path.size());
  if (length <= 0 || static_cast<std::size_t>(length) >= path.size()) return {};
  const std::string full(path.data(), static_cast<std::size_t>(length));
  const auto slash = full.rfind('/');
#endif
  return slash == std::string::npos ? std::string{} : full.substr(0, slash + 1);
}

}  // namespace pavina::cli
