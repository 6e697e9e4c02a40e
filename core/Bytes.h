#pragma once

#include <cstdint>
#include <vector>

namespace pavina::core {

// Commands, replies and the encoded frame: any byte, zero included, with an explicit length.
using TBytes = std::vector<std::uint8_t>;

}  // namespace pavina::core
