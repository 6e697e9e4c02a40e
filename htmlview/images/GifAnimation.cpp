// The animation of a TGIFImage: the composite that each step disposes of the current frame
// and draws the next one into.
#include <algorithm>
#include <cstring>

#include "DibAccess.h"
#include "GifImage.h"

namespace htmlview {

namespace {

// Copies `area` of `from` (same size as `to`'s area at the origin) or back.
void CopyArea(const TDIB& from, const TPixelRect& fromArea, TDIB& to, std::int32_t toLeft,
              std::int32_t toTop) {
  const int bits = from.BitsPerPixel();
  for (std::int32_t y = 0; y < fromArea.Height(); ++y) {
    if (bits == 24) {
      std::memcpy(to.Row(toTop + y) + 3 * static_cast<std::size_t>(toLeft),
                  from.Row(fromArea.Top + y) + 3 * static_cast<std::size_t>(fromArea.Left),
                  3 * static_cast<std::size_t>(fromArea.Width()));
    } else {
      for (std::int32_t x = 0; x < fromArea.Width(); ++x)
        SetMaskPixel(to, toLeft + x, toTop + y,
                     IsMaskWhite(from, fromArea.Left + x, fromArea.Top + y));
    }
  }
}

void FillMaskArea(TDIB& mask, const TPixelRect& area, bool white) {
  for (std::int32_t y = area.Top; y < area.Bottom; ++y)
    for (std::int32_t x = area.Left; x < area.Right; ++x) SetMaskPixel(mask, x, y, white);
}

TPixelRect Union(const TPixelRect& a, const TPixelRect& b) {
  return {std::min(a.Left, b.Left), std::min(a.Top, b.Top), std::max(a.Right, b.Right),
          std::max(a.Bottom, b.Bottom)};
}

}  // namespace

std::uint32_t TGIFImage::DelayOf(int frameNumber) const {
  const std::uint64_t delay =
      std::uint64_t{Frame(frameNumber).DelayMs} * 100 / static_cast<std::uint64_t>(speed_);
  return static_cast<std::uint32_t>(std::clamp<std::uint64_t>(delay, 1, UINT32_MAX));
}

void TGIFImage::StartAnimation(std::uint32_t now) {
  if (Empty()) return;
  animating_ = true;
  loopsDone_ = 1;
  lastChange_ = now;
  currentDelay_ = DelayOf(currentFrame_);
}

std::optional<TPixelRect> TGIFImage::Step(std::uint32_t now) {
  if (!animating_ || !drawn_ || !IsAnimated()) return std::nullopt;
  if (now - lastChange_ < currentDelay_) return std::nullopt;
  if (loopCount_ > 0 && currentFrame_ == FrameCount()) {
    if (loopsDone_ >= loopCount_) {
      animating_ = false;
      return std::nullopt;
    }
    ++loopsDone_;
  }
  const std::optional<TPixelRect> disposed = DisposeFrame(currentFrame_);
  currentFrame_ = currentFrame_ % FrameCount() + 1;
  DrawFrame(currentFrame_);
  // The next step waits until the image is drawn again, which this change brings about
  // when it is on view.
  drawn_ = false;
  lastChange_ = now;
  currentDelay_ = DelayOf(currentFrame_);
  const TPixelRect drawnArea = Frame(currentFrame_).Bounds();
  // The disposed rectangle must be repainted too, when it reaches beyond the new frame.
  return disposed ? Union(*disposed, drawnArea) : drawnArea;
}

void TGIFImage::SetCurrentFrame(int number) {
  if (Empty()) return;
  number = std::clamp(number, 1, FrameCount());
  ResetComposite();
  DrawFrame(1);
  for (int frame = 2; frame <= number; ++frame) {
    DisposeFrame(frame - 1);
    DrawFrame(frame);
  }
  currentFrame_ = number;
  currentDelay_ = DelayOf(number);
}

void TGIFImage::ResetComposite() {
  composite_ = TDIB(width_, height_, 24);
  const bool anyTransparent = std::any_of(frames_.begin(), frames_.end(),
                                          [](const auto& frame) { return frame->Transparent; });
  compositeMask_ = TDIB{};
  if (anyTransparent) {
    compositeMask_ = TDIB(width_, height_, 1);
    compositeMask_.Fill(0xFF);
  }
  savedArea_ = TDIB{};
  savedMask_ = TDIB{};
}

std::optional<TPixelRect> TGIFImage::DisposeFrame(int frameNumber) {
  const TgfFrame& frame = Frame(frameNumber);
  const TPixelRect area = frame.Bounds();
  switch (frame.Disposal) {
    case TGifDisposal::Background:
      for (std::int32_t y = area.Top; y < area.Bottom; ++y)
        std::memset(composite_.Row(y) + 3 * static_cast<std::size_t>(area.Left), 0,
                    3 * static_cast<std::size_t>(area.Width()));
      if (!compositeMask_.Empty()) FillMaskArea(compositeMask_, area, true);
      return area;
    case TGifDisposal::Previous: {
      if (savedArea_.Empty()) return std::nullopt;
      const TPixelRect whole{0, 0, area.Width(), area.Height()};
      CopyArea(savedArea_, whole, composite_, area.Left, area.Top);
      if (!savedMask_.Empty()) CopyArea(savedMask_, whole, compositeMask_, area.Left, area.Top);
      return area;
    }
    default:
      return std::nullopt;
  }
}

void TGIFImage::DrawFrame(int frameNumber) {
  const TgfFrame& frame = Frame(frameNumber);
  const TPixelRect area = frame.Bounds();
  if (frame.Disposal == TGifDisposal::Previous) {
    savedArea_ = TDIB(area.Width(), area.Height(), 24);
    CopyArea(composite_, area, savedArea_, 0, 0);
    savedMask_ = TDIB{};
    if (!compositeMask_.Empty()) {
      savedMask_ = TDIB(area.Width(), area.Height(), 1);
      CopyArea(compositeMask_, area, savedMask_, 0, 0);
    }
  }
  const TPalette& palette = frame.Picture.Palette();
  const bool hasMask = !compositeMask_.Empty();
  for (std::int32_t y = 0; y < frame.Height; ++y) {
    const std::uint8_t* from = frame.Picture.Row(y);
    std::uint8_t* to = composite_.Row(area.Top + y) + 3 * static_cast<std::size_t>(area.Left);
    for (std::int32_t x = 0; x < frame.Width; ++x, to += 3) {
      if (frame.Transparent && IsMaskWhite(frame.Mask, x, y)) continue;
      const TColor color = palette[from[x]];
      to[0] = BlueOf(color);
      to[1] = GreenOf(color);
      to[2] = RedOf(color);
      if (hasMask) SetMaskPixel(compositeMask_, area.Left + x, area.Top + y, false);
    }
  }
}

}  // namespace htmlview
