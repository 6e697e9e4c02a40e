#include "ArrowKeys.h"

namespace pavina::ui {

std::optional<core::TArrowKey> ArrowKeyOf(std::uint32_t message, std::uintptr_t key) {
  if (message != kWmKeyDown) return std::nullopt;
  switch (key) {
    case kVkLeft:
      return core::TArrowKey::Left;
    case kVkUp:
      return core::TArrowKey::Up;
    case kVkRight:
      return core::TArrowKey::Right;
    case kVkDown:
      return core::TArrowKey::Down;
    default:
      return std::nullopt;
  }
}

}  // namespace pavina::ui
