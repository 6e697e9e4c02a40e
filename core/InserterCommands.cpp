#include "LogoCore.h"

namespace pavina::core {

namespace {
constexpr std::size_t kShortFillerLength = 20;
constexpr std::size_t kLongFillerLength = 30;
constexpr std::size_t kLineDataTrailingZeros = 24;

TBytes Filler(std::size_t length) {
  return TBytes(length, TLogoCore::kFillerByte);
}
}  // namespace

// Every command leaves in one write; the line data and its filler are two.

void TLogoCore::SendClear() {
  SendString({0xF1, 0xF1, 0x88, 0x88, 0x84, 0x18});
}

void TLogoCore::SendSizeAndPosition(std::int32_t w, std::int32_t h, std::int32_t x,
                                    std::int32_t y) {
  SendString({0xF1, 0xF2, static_cast<std::uint8_t>(w), static_cast<std::uint8_t>(h),
              static_cast<std::uint8_t>(x), static_cast<std::uint8_t>(y)});
}

void TLogoCore::SendLineHeader(std::int32_t address) {
  const auto word = static_cast<std::uint16_t>(address / 8);  // truncates toward zero
  SendString({0xF1, 0xF1, 0x88, 0x88, 0x84, 0x44, static_cast<std::uint8_t>(word >> 8),
              static_cast<std::uint8_t>(word & 0xFF)});
}

void TLogoCore::SendLineData(const TBytes& data) {
  TBytes line;
  line.reserve(data.size() + kLineDataTrailingZeros);
  line.insert(line.end(), data.begin(), data.end());
  line.insert(line.end(), kLineDataTrailingZeros, 0x00);
  SendString(line);
  SendShortFiller();
}

void TLogoCore::SendShortFiller() {
  SendString(Filler(kShortFillerLength));
}

void TLogoCore::SendLongFiller() {
  SendString(Filler(kLongFillerLength));
}

}  // namespace pavina::core
