#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace htmlview {

// The largest picture file the viewer reads; anything larger is no picture.
constexpr std::size_t kMaxImageFileBytes = std::size_t{64} * 1024 * 1024;

// The whole file, or nothing when it is missing, unreadable or larger than `maxBytes`.
std::optional<std::vector<std::uint8_t>> ReadFileBytes(const std::string& fileName,
                                                       std::size_t maxBytes = kMaxImageFileBytes);

}  // namespace htmlview
