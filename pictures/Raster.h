#pragma once

#include <cstdint>
#include <vector>

namespace pavina::pictures {

// An owned picture of Width x Height pixels of 8-bit red, green and blue.
// Colours travel as 32-bit values: red in bits 0-7, green 8-15, blue 16-23.
class TRaster {
 public:
  // What a read outside the picture returns: every component reads as 255.
  static constexpr std::uint32_t kInvalidColor = 0xFFFFFFFFu;

  TRaster() = default;
  TRaster(std::int32_t width, std::int32_t height) { Resize(width, height); }

  std::int32_t Width() const { return width_; }
  std::int32_t Height() const { return height_; }
  bool Empty() const { return width_ == 0 || height_ == 0; }

  std::uint32_t ReadPixel(std::int32_t x, std::int32_t y) const;
  void WritePixel(std::int32_t x, std::int32_t y, std::uint8_t red, std::uint8_t green,
                  std::uint8_t blue);
  // The content left after a resize is unspecified; negative sizes count as 0.
  void Resize(std::int32_t width, std::int32_t height);
  // Every pixel the one colour.
  void Fill(std::uint8_t red, std::uint8_t green, std::uint8_t blue);

  // Rows from the top, 3 bytes a pixel in the order red, green, blue.
  const std::uint8_t* Row(std::int32_t y) const { return &pixels_[Offset(0, y)]; }
  std::uint8_t* Row(std::int32_t y) { return &pixels_[Offset(0, y)]; }

  friend bool operator==(const TRaster& a, const TRaster& b) {
    return a.width_ == b.width_ && a.height_ == b.height_ && a.pixels_ == b.pixels_;
  }
  friend bool operator!=(const TRaster& a, const TRaster& b) { return !(a == b); }

 private:
  bool Inside(std::int32_t x, std::int32_t y) const {
    return x >= 0 && y >= 0 && x < width_ && y < height_;
  }
  std::size_t Offset(std::int32_t x, std::int32_t y) const {
    return (static_cast<std::size_t>(y) * static_cast<std::size_t>(width_) +
            static_cast<std::size_t>(x)) *
           3;
  }

  std::int32_t width_ = 0;
  std::int32_t height_ = 0;
  std::vector<std::uint8_t> pixels_;
};

}  // namespace pavina::pictures
