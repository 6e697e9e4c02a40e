// The GIF decoder on any bytes, then the animation stepped through every frame twice
// over, as the viewer's timer would, on the image and on a copy.
#include <algorithm>
#include <cstdlib>

#include "GifImage.h"
#include "GraphicsError.h"

namespace {
void Animate(TGIFImage& gif) {
  std::uint32_t now = 0;
  gif.StartAnimation(now);
  const int steps = std::min(2 * gif.FrameCount() + 2, 600);
  for (int i = 0; i < steps; ++i) {
    gif.MarkDrawn();
    now += 70000;  // beyond any delay the format can state
    gif.Step(now);
    if (gif.CurrentFrame() < 1 || gif.CurrentFrame() > gif.FrameCount()) std::abort();
  }
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  TGIFImage gif;
  // A damaged or oversized GIF is a status, never an exception.
  if (gif.LoadFromStream(data, size) != TGifStatus::Loaded) return 0;
  try {
    gif.FirstFrameBitmap();
    gif.FirstFrameMask();
    if (!gif.IsAnimated()) return 0;
    TGIFImage copy(gif);
    Animate(gif);
    gif.SetCurrentFrame(gif.FrameCount());
    copy.SetCurrentFrame(1);
    Animate(copy);
  } catch (const EGraphicsError&) {
    // Memory for a composite may still run out: the DIB layer raises that.
  }
  return 0;
}
