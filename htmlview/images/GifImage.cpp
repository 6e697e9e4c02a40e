#include "GifImage.h"

#include <cstring>

#include "DibAccess.h"
#include "FileBytes.h"
#include "GraphicsError.h"

TGifStatus TGIFImage::LoadFromStream(const std::uint8_t* data, std::size_t size) {
  *this = TGIFImage{};
  TGifContent content;
  const TGifStatus status = DecodeGif(data, size, content);
  if (status != TGifStatus::Loaded) return status;
  width_ = content.Width;
  height_ = content.Height;
  colorDepth_ = content.ColorDepth;
  globalPalette_ = std::move(content.GlobalPalette);
  frames_ = std::move(content.Frames);
  loopCount_ = content.HasLoopExtension ? content.LoopCount : 1;
  try {
    SetCurrentFrame(1);  // builds the composite, which memory may not hold
  } catch (const EGraphicsError&) {
    *this = TGIFImage{};
    return TGifStatus::TooLarge;
  }
  return status;
}

TGifStatus TGIFImage::LoadFromFile(const std::string& fileName) {
  const auto bytes = ReadFileBytes(fileName);
  if (!bytes) {
    *this = TGIFImage{};
    return TGifStatus::NoPicture;
  }
  return LoadFromStream(bytes->data(), bytes->size());
}

TDIB TGIFImage::FirstFrameBitmap() const {
  const TgfFrame& first = Frame(1);
  if (first.Left == 0 && first.Top == 0 && first.Width == width_ && first.Height == height_)
    return first.Picture;
  TDIB bitmap(width_, height_, 24);
  const TPalette& palette = first.Picture.Palette();
  for (std::int32_t y = 0; y < first.Height; ++y) {
    const std::uint8_t* from = first.Picture.Row(y);
    std::uint8_t* to = bitmap.Row(first.Top + y) + 3 * static_cast<std::size_t>(first.Left);
    for (std::int32_t x = 0; x < first.Width; ++x, to += 3) {
      if (first.Transparent && from[x] == first.TransparentIndex) continue;
      const TColor color = palette[from[x]];
      to[0] = BlueOf(color);
      to[1] = GreenOf(color);
      to[2] = RedOf(color);
    }
  }
  return bitmap;
}

TDIB TGIFImage::FirstFrameMask() const {
  const TgfFrame& first = Frame(1);
  if (!first.Transparent) return TDIB{};
  TDIB mask(width_, height_, 1);
  mask.Fill(0xFF);
  for (std::int32_t y = 0; y < first.Height; ++y)
    for (std::int32_t x = 0; x < first.Width; ++x)
      if (!IsMaskWhite(first.Mask, x, y)) SetMaskPixel(mask, first.Left + x, first.Top + y, false);
  return mask;
}
