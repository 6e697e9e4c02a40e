#include <gtest/gtest.h>

#include "GifBuilder.h"
#include "images/DibAccess.h"
#include "images/GifImage.h"

namespace {

// Palette: 0 black, 1 red, 2 green, 3 blue.
const TRgbList kPalette = {0x000000, 0x0000FF, 0x00FF00, 0xFF0000};
const TColor kRed = MakeColor(255, 0, 0), kGreen = MakeColor(0, 255, 0),
             kBlue = MakeColor(0, 0, 255);

TBytes8 Solid(int width, int height, std::uint8_t index) {
  return TBytes8(static_cast<std::size_t>(width * height), index);
}

TGIFImage Load(const TBytes8& bytes) {
  TGIFImage gif;
  EXPECT_EQ(gif.LoadFromStream(bytes.data(), bytes.size()), TGifStatus::Loaded);
  return gif;
}

// Three full frames, red, green, blue, 100 ms each.
TGifBuilder ThreeFrames() {
  TGifBuilder builder(6, 4, kPalette);
  for (std::uint8_t color = 1; color <= 3; ++color)
    builder.Control(1, 10).Frame(0, 0, 6, 4, Solid(6, 4, color));
  return builder;
}

TColor CompositeAt(const TGIFImage& gif, int x, int y) {
  return TDIBReader(gif.Composite()).Pixel(x, y);
}

bool SeeThrough(const TGIFImage& gif, int x, int y) {
  return gif.CompositeMask() && IsMaskWhite(*gif.CompositeMask(), x, y);
}

// Draws the image and gives the timer a step, as the document does.
std::optional<TPixelRect> DrawnStep(TGIFImage& gif, std::uint32_t now) {
  gif.MarkDrawn();
  return gif.Step(now);
}

TEST(GifAnimation, WithoutTheLoopExtensionItStopsOnTheLastFrameAfterOnePass) {
  TGIFImage gif = Load(ThreeFrames().Bytes());
  EXPECT_EQ(CompositeAt(gif, 0, 0), kRed);
  gif.StartAnimation(1000);
  EXPECT_FALSE(DrawnStep(gif, 1050)) << "the delay has not passed";
  EXPECT_EQ(DrawnStep(gif, 1100), (TPixelRect{0, 0, 6, 4}));
  EXPECT_EQ(gif.CurrentFrame(), 2);
  EXPECT_EQ(CompositeAt(gif, 5, 3), kGreen);
  EXPECT_TRUE(DrawnStep(gif, 1200));
  EXPECT_EQ(gif.CurrentFrame(), 3);
  EXPECT_FALSE(DrawnStep(gif, 1300));
  EXPECT_FALSE(gif.Animating());
  for (std::uint32_t t = 1400; t < 3000; t += 50) EXPECT_FALSE(DrawnStep(gif, t));
  EXPECT_EQ(gif.CurrentFrame(), 3);
  EXPECT_EQ(CompositeAt(gif, 0, 0), kBlue);
}

TEST(GifAnimation, LoopCountZeroRunsForEverAndNCountsPasses) {
  TGIFImage forever = Load(ThreeFrames().Loop(0).Bytes());
  forever.StartAnimation(0);
  for (std::uint32_t t = 100; t <= 100 * 300; t += 100) ASSERT_TRUE(DrawnStep(forever, t)) << t;
  EXPECT_TRUE(forever.Animating());
  EXPECT_EQ(forever.CurrentFrame(), 300 % 3 + 1);

  TGIFImage twice = Load(ThreeFrames().Loop(2).Bytes());
  twice.StartAnimation(0);
  int steps = 0;
  for (std::uint32_t t = 100; t <= 2000; t += 100) steps += DrawnStep(twice, t).has_value();
  EXPECT_EQ(steps, 5) << "1 2 3 1 2 3";
  EXPECT_EQ(twice.LoopsDone(), 2);
  EXPECT_EQ(twice.CurrentFrame(), 3);
}

TEST(GifAnimation, DelaysScaleWithSpeedAndTheClockMayWrap) {
  TGifBuilder builder(2, 2, kPalette);
  builder.Control(0, 0).Frame(0, 0, 2, 2, Solid(2, 2, 1));
  builder.Control(0, 20).Frame(0, 0, 2, 2, Solid(2, 2, 2));
  TGIFImage gif = Load(builder.Loop(0).Bytes());
  const std::uint32_t start = 0xFFFFFFF0u;
  gif.SetSpeed(200);
  gif.StartAnimation(start);
  EXPECT_FALSE(DrawnStep(gif, start)) << "a delay of 0 still waits 1 ms";
  EXPECT_TRUE(DrawnStep(gif, start + 1));
  EXPECT_FALSE(DrawnStep(gif, start + 100)) << "200 ms at 200 %";
  EXPECT_TRUE(DrawnStep(gif, start + 101)) << "across the wrap of the tick counter";
  EXPECT_EQ(gif.CurrentFrame(), 1);
}

TEST(GifAnimation, OnlyAnImageDrawnSinceTheLastAdvanceMoves) {
  TGIFImage gif = Load(ThreeFrames().Loop(0).Bytes());
  gif.StartAnimation(0);
  EXPECT_FALSE(gif.Step(500)) << "never drawn";
  gif.MarkDrawn();
  EXPECT_TRUE(gif.Step(500));
  EXPECT_FALSE(gif.Drawn());
  EXPECT_FALSE(gif.Step(900)) << "not drawn again since";
  EXPECT_EQ(gif.CurrentFrame(), 2);
  EXPECT_TRUE(DrawnStep(gif, 900));
}

TEST(GifAnimation, DisposalToBackgroundClearsToBlackAndSeeThrough) {
  // Red full frame (leave), then a green 2x2 at (1,1) restored to background, then a blue
  // 1x1 at (4,2) with transparency.
  TGifBuilder builder(6, 4, kPalette);
  builder.Control(1, 10).Frame(0, 0, 6, 4, Solid(6, 4, 1));
  builder.Control(2, 10).Frame(1, 1, 2, 2, Solid(2, 2, 2));
  builder.Control(0, 10, 0).Frame(4, 2, 1, 1, Solid(1, 1, 3));
  TGIFImage gif = Load(builder.Bytes());
  gif.StartAnimation(0);
  ASSERT_TRUE(DrawnStep(gif, 100));
  EXPECT_EQ(CompositeAt(gif, 1, 1), kGreen);
  EXPECT_FALSE(SeeThrough(gif, 1, 1));
  const std::optional<TPixelRect> changed = DrawnStep(gif, 200);
  ASSERT_TRUE(changed);
  EXPECT_EQ(*changed, (TPixelRect{1, 1, 5, 3})) << "the cleared area is repainted too";
  EXPECT_EQ(CompositeAt(gif, 1, 1), kBlack);
  EXPECT_EQ(CompositeAt(gif, 2, 2), kBlack);
  EXPECT_TRUE(SeeThrough(gif, 2, 2));
  EXPECT_EQ(CompositeAt(gif, 3, 1), kRed);
  EXPECT_FALSE(SeeThrough(gif, 3, 1));
  EXPECT_EQ(CompositeAt(gif, 4, 2), kBlue);
}

TEST(GifAnimation, DisposalToPreviousRestoresWhatWasBeneath) {
  // Red, then green over the left half (restore to previous), then a transparent frame
  // whose only opaque pixel is blue at (5,0).
  TBytes8 mostlyClear = Solid(6, 4, 0);
  mostlyClear[5] = 3;
  TGifBuilder builder(6, 4, kPalette);
  builder.Control(1, 10).Frame(0, 0, 6, 4, Solid(6, 4, 1));
  builder.Control(3, 10).Frame(0, 0, 3, 4, Solid(3, 4, 2));
  builder.Control(1, 10, 0).Frame(0, 0, 6, 4, mostlyClear);
  TGIFImage gif = Load(builder.Loop(0).Bytes());
  gif.StartAnimation(0);
  ASSERT_TRUE(DrawnStep(gif, 100));
  EXPECT_EQ(CompositeAt(gif, 0, 0), kGreen);
  ASSERT_TRUE(DrawnStep(gif, 200));
  EXPECT_EQ(CompositeAt(gif, 0, 0), kRed) << "restored";
  EXPECT_EQ(CompositeAt(gif, 2, 3), kRed);
  EXPECT_EQ(CompositeAt(gif, 5, 0), kBlue);
  EXPECT_EQ(CompositeAt(gif, 4, 0), kRed) << "transparent pixels keep what is beneath";
  EXPECT_FALSE(SeeThrough(gif, 0, 0));
  // Round again: frame 1 is opaque and covers everything.
  ASSERT_TRUE(DrawnStep(gif, 300));
  EXPECT_EQ(CompositeAt(gif, 5, 0), kRed);
}

TEST(GifAnimation, TwoCopiesOfOneGifAnimateIndependently) {
  const TGIFImage original = Load(ThreeFrames().Loop(0).Bytes());
  TGIFImage first = original;
  TGIFImage second = original;
  first.StartAnimation(0);
  second.StartAnimation(50);
  ASSERT_TRUE(DrawnStep(first, 100));
  ASSERT_TRUE(DrawnStep(first, 200));
  EXPECT_EQ(first.CurrentFrame(), 3);
  EXPECT_EQ(second.CurrentFrame(), 1);
  EXPECT_EQ(CompositeAt(second, 0, 0), kRed);
  EXPECT_FALSE(DrawnStep(second, 120));
  ASSERT_TRUE(DrawnStep(second, 150));
  EXPECT_EQ(second.CurrentFrame(), 2);
  EXPECT_EQ(first.CurrentFrame(), 3);
  EXPECT_EQ(CompositeAt(first, 0, 0), kBlue);
  EXPECT_EQ(original.CurrentFrame(), 1);
  EXPECT_FALSE(original.Animating());
}

TEST(GifAnimation, SetCurrentFrameShowsWhatStepsWouldHaveBuilt) {
  TGifBuilder builder(6, 4, kPalette);
  builder.Control(1, 10).Frame(0, 0, 6, 4, Solid(6, 4, 1));
  builder.Control(3, 10).Frame(0, 0, 3, 4, Solid(3, 4, 2));
  builder.Control(2, 10, 0).Frame(2, 0, 4, 2, Solid(4, 2, 3));
  builder.Control(1, 10).Frame(5, 3, 1, 1, Solid(1, 1, 2));
  TGIFImage stepped = Load(builder.Loop(0).Bytes());
  TGIFImage jumped = stepped;
  stepped.StartAnimation(0);
  for (int frame = 2; frame <= 4; ++frame) {
    ASSERT_TRUE(DrawnStep(stepped, 100 * static_cast<std::uint32_t>(frame)));
    jumped.SetCurrentFrame(frame);
    EXPECT_EQ(jumped.CurrentFrame(), frame);
    EXPECT_TRUE(jumped.Composite() == stepped.Composite()) << frame;
    EXPECT_TRUE(*jumped.CompositeMask() == *stepped.CompositeMask()) << frame;
  }
  jumped.SetCurrentFrame(1);
  EXPECT_EQ(CompositeAt(jumped, 5, 3), kRed);
}

}  // namespace
