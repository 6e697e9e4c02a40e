#include "SymbolicLink.h"

#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <stdexcept>
#include <vector>

namespace pavina::sim {

TSymbolicLink::TSymbolicLink(const std::string& path, const std::string& target)
    : path_(path), target_(target) {
  // Made under a temporary name and renamed over the old one, so that the path never
  // points nowhere while a host may be opening it.
  const std::string temporary = path + ".tmp" + std::to_string(getpid());
  unlink(temporary.c_str());
  if (symlink(target.c_str(), temporary.c_str()) != 0 ||
      rename(temporary.c_str(), path.c_str()) != 0) {
    const std::string reason = std::strerror(errno);
    unlink(temporary.c_str());
    throw std::runtime_error("cannot link " + path + " to " + target + ": " + reason);
  }
}

TSymbolicLink::~TSymbolicLink() {
  std::vector<char> buffer(4096);
  const ssize_t length = readlink(path_.c_str(), buffer.data(), buffer.size());
  if (length >= 0 && std::string(buffer.data(), static_cast<std::size_t>(length)) == target_)
    unlink(path_.c_str());
}

}  // namespace pavina::sim
