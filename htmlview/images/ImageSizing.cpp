#include "ImageSizing.h"

#include <algorithm>

namespace htmlview {

namespace {

constexpr std::int32_t kPictureBox = 24;  // the built-in picture and its margin
constexpr std::int32_t kTextGap = 2;

// value * numerator / denominator, rounded; 0 for a zero denominator.
std::int32_t Scale(std::int32_t value, std::int32_t numerator, std::int32_t denominator) {
  if (denominator <= 0) return 0;
  return static_cast<std::int32_t>((std::int64_t{value} * numerator + denominator / 2) /
                                   denominator);
}

std::int32_t GivenWidth(const TImageSizeAttributes& attributes, std::int32_t availableWidth) {
  return attributes.WidthIsPercent ? Scale(availableWidth, attributes.Width, 100)
                                   : attributes.Width;
}

}  // namespace

TImageSize ImageDrawSize(const TImageSizeAttributes& attributes, TImageSize natural,
                         std::int32_t availableWidth) {
  const bool hasWidth = attributes.Width > 0;
  const bool hasHeight = attributes.Height > 0;
  const std::int32_t width = GivenWidth(attributes, availableWidth);
  if (hasWidth && attributes.WidthIsPercent)
    return {width, hasHeight ? attributes.Height : natural.Height};
  if (hasWidth && hasHeight) return {width, attributes.Height};
  if (hasWidth) return {width, Scale(natural.Height, width, natural.Width)};
  if (hasHeight)
    return {Scale(natural.Width, attributes.Height, natural.Height), attributes.Height};
  return natural;
}

TImageSize PlaceholderBoxSize(const TImageSizeAttributes& attributes, std::int32_t availableWidth,
                              TImageSize altText) {
  const bool hasWidth = attributes.Width > 0;
  const bool hasHeight = attributes.Height > 0;
  if (hasWidth && hasHeight) return {GivenWidth(attributes, availableWidth), attributes.Height};
  const std::int32_t width = hasWidth ? GivenWidth(attributes, availableWidth) : 0;
  const std::int32_t height = hasHeight ? attributes.Height : 0;
  return {std::max(width, altText.Width + kTextGap + kPictureBox),
          std::max({height, kPictureBox, altText.Height})};
}

}  // namespace htmlview
