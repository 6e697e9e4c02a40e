#pragma once

#include <cstdint>
#include <optional>

#include "ArrowKey.h"

namespace pavina::ui {

// The window message and the virtual-key codes that the application's hook looks at.
inline constexpr std::uint32_t kWmKeyDown = 0x0100;
inline constexpr std::uintptr_t kVkLeft = 37, kVkUp = 38, kVkRight = 39, kVkDown = 40;

// The core's arrow key for a key-down message of VK_LEFT, VK_UP, VK_RIGHT or VK_DOWN;
// nothing for every other message, which then goes on as usual.
std::optional<core::TArrowKey> ArrowKeyOf(std::uint32_t message, std::uintptr_t key);

}  // namespace pavina::ui
