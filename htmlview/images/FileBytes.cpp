#include "FileBytes.h"

#include <fstream>

namespace htmlview {

std::optional<std::vector<std::uint8_t>> ReadFileBytes(const std::string& fileName,
                                                       std::size_t maxBytes) {
  std::ifstream file(fileName, std::ios::binary | std::ios::ate);
  if (!file) return std::nullopt;
  const std::streamoff size = file.tellg();
  if (size < 0 || static_cast<std::uint64_t>(size) > maxBytes) return std::nullopt;
  std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size));
  file.seekg(0);
  if (size > 0 && !file.read(reinterpret_cast<char*>(bytes.data()), size)) return std::nullopt;
  return bytes;
}

}  // namespace htmlview
