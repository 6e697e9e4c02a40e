#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "Color.h"
#include "Dib.h"
#include "GifDecoder.h"
#include "GifFrame.h"
#include "PixelRect.h"

// A GIF picture with its animation. A copy shares the frames but animates by itself, so
// one GIF shown in two places runs in each at its own pace.
class TGIFImage {
 public:
  // Anything but Loaded leaves the image empty; see DecodeGif.
  TGifStatus LoadFromStream(const std::uint8_t* data, std::size_t size);
  // As LoadFromStream; NoPicture also when the file cannot be read.
  TGifStatus LoadFromFile(const std::string& fileName);

  bool Empty() const { return frames_.empty(); }
  // The logical size: the screen of the header, grown to hold every frame.
  std::int32_t Width() const { return width_; }
  std::int32_t Height() const { return height_; }
  int ColorDepth() const { return colorDepth_; }
  const TPalette& GlobalPalette() const { return globalPalette_; }
  int FrameCount() const { return static_cast<int>(frames_.size()); }
  // Throws std::out_of_range for a number outside 1..FrameCount().
  const TgfFrame& Frame(int number) const {
    return *frames_.at(static_cast<std::size_t>(number - 1));
  }
  bool IsAnimated() const { return frames_.size() > 1; }
  // From the "NETSCAPE" "2.0" extension, 0 for ever; without it 1, so the GIF plays once.
  int LoopCount() const { return loopCount_; }

  // The first frame on the logical screen: the frame's own 8-bit picture when it fills the
  // screen, otherwise a 24-bit picture with black around it.
  TDIB FirstFrameBitmap() const;
  // White where the first frame lets the background through; empty for an opaque frame.
  TDIB FirstFrameMask() const;

  // Animation, driven by the caller's clock (milliseconds, compared as unsigned differences).
  int CurrentFrame() const { return currentFrame_; }
  int LoopsDone() const { return loopsDone_; }
  bool Animating() const { return animating_; }
  int Speed() const { return speed_; }
  void SetSpeed(int percent) { speed_ = percent < 1 ? 1 : percent; }
  void StartAnimation(std::uint32_t now);
  void StopAnimation() { animating_ = false; }
  // Advances one frame when the image was drawn since the last advance and the delay has
  // passed; returns the rectangle of the logical screen that changed.
  std::optional<TPixelRect> Step(std::uint32_t now);
  // Shows frame `number` (1-based) as the animation would have built it.
  void SetCurrentFrame(int number);

  // What drawing the image shows: the composite, through the composite mask (white lets
  // the background through). The mask is null when no frame is transparent.
  const TDIB& Composite() const { return composite_; }
  const TDIB* CompositeMask() const { return compositeMask_.Empty() ? nullptr : &compositeMask_; }
  void MarkDrawn() { drawn_ = true; }
  bool Drawn() const { return drawn_; }

 private:
  std::uint32_t DelayOf(int frameNumber) const;
  void ResetComposite();
  void DrawFrame(int frameNumber);
  // Returns the rectangle that changed, if any.
  std::optional<TPixelRect> DisposeFrame(int frameNumber);

  std::int32_t width_ = 0;
  std::int32_t height_ = 0;
  int colorDepth_ = 0;
  TPalette globalPalette_;
  std::vector<std::shared_ptr<const TgfFrame>> frames_;
  int loopCount_ = 1;

  int currentFrame_ = 0;
  int loopsDone_ = 0;
  bool animating_ = false;
  int speed_ = 100;
  std::uint32_t lastChange_ = 0;
  std::uint32_t currentDelay_ = 0;
  bool drawn_ = false;
  TDIB composite_;      // 24 bits
  TDIB compositeMask_;  // 1 bit
  // What lay beneath the current frame, for its disposal 3.
  TDIB savedArea_;
  TDIB savedMask_;
};
