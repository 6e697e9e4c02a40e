#include <gtest/gtest.h>

#include <random>

#include "GifBuilder.h"
#include "TestFiles.h"
#include "images/DibAccess.h"
#include "images/GifDecoder.h"
#include "images/GifImage.h"
#include "images/GraphicsError.h"

namespace {

const TRgbList kGlobal = {0x000000, 0x0000FF, 0x00FF00, 0xFF0000};
const TRgbList kLocal = {0x102030, 0x405060, 0x708090, 0xA0B0C0, 0xD0E0F0};

TBytes8 Pattern(int width, int height, int colors) {
  TBytes8 pixels;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      pixels.push_back(static_cast<std::uint8_t>((x * 3 + y) % colors));
  return pixels;
}

TBytes8 PixelsOf(const TgfFrame& frame) {
  TBytes8 pixels;
  for (int y = 0; y < frame.Height; ++y)
    pixels.insert(pixels.end(), frame.Picture.Row(y), frame.Picture.Row(y) + frame.Width);
  return pixels;
}

// What loading gives: "ok", "no picture" or the graphics layer's text for the failure.
std::string LoadOutcome(const TBytes8& bytes, TGIFImage& gif) {
  const TGifStatus status = gif.LoadFromStream(bytes.data(), bytes.size());
  if (status == TGifStatus::Loaded) return "ok";
  return status == TGifStatus::NoPicture ? "no picture" : GifStatusText(status);
}

TEST(GifDecoder, ReadsScreenPalettesFramesAndExtensions) {
  const TBytes8 first = Pattern(8, 6, 4);
  const TBytes8 second = Pattern(5, 11, 5);
  const TBytes8 bytes = TGifBuilder(8, 6, kGlobal)
                            .Loop(7)
                            .Comment("first")
                            .Comment(" frame")
                            .Frame(0, 0, 8, 6, first)
                            .PlainText()
                            .Raw({'!', 0x99, 3, 1, 2, 3, 0})  // an extension nobody knows
                            .Comment("second")
                            .Frame(2, 1, 5, 11, second, kLocal, true)
                            .Bytes();
  TGIFImage gif;
  ASSERT_EQ(LoadOutcome(bytes, gif), "ok");
  EXPECT_EQ(gif.ColorDepth(), 8);
  EXPECT_EQ(gif.LoopCount(), 7);
  ASSERT_EQ(gif.FrameCount(), 2);
  EXPECT_TRUE(gif.IsAnimated());
  EXPECT_EQ(gif.GlobalPalette()[2], MakeColor(0, 0xFF, 0));
  EXPECT_EQ(gif.GlobalPalette()[200], kBlack);

  const TgfFrame& one = gif.Frame(1);
  EXPECT_EQ(PixelsOf(one), first);
  EXPECT_FALSE(one.HasLocalPalette);
  EXPECT_EQ(one.Picture.Palette()[1], MakeColor(0xFF, 0, 0));
  EXPECT_EQ(one.Comment, "first frame");
  EXPECT_EQ(one.Picture.Stride(), 8u);

  const TgfFrame& two = gif.Frame(2);
  EXPECT_EQ(PixelsOf(two), second) << "interlaced rows put back in order";
  EXPECT_TRUE(two.Interlaced);
  EXPECT_TRUE(two.HasLocalPalette);
  EXPECT_EQ(two.Picture.Palette()[4], MakeColor(0xF0, 0xE0, 0xD0));
  EXPECT_EQ(two.Picture.Stride(), 8u) << "rows padded to 4 bytes";
  EXPECT_EQ(two.Comment, "second");
  EXPECT_EQ(two.Bounds(), (TPixelRect{2, 1, 7, 12}));
  // The logical screen grows to hold the second frame.
  EXPECT_EQ(gif.Width(), 8);
  EXPECT_EQ(gif.Height(), 12);
}

TEST(GifDecoder, GraphicControlGivesDelayDisposalAndTransparencyToTheNextFrameOnly) {
  TGifBuilder builder(4, 4, kGlobal, "87a");
  for (int disposal = 0; disposal < 8; ++disposal)
    builder.Control(disposal, 5 + disposal, disposal == 1 ? std::optional<int>(2) : std::nullopt)
        .Frame(0, 0, 4, 4, Pattern(4, 4, 4));
  builder.Frame(0, 0, 4, 4, Pattern(4, 4, 4));
  TGIFImage gif;
  ASSERT_EQ(LoadOutcome(builder.Bytes(), gif), "ok");
  ASSERT_EQ(gif.FrameCount(), 9);
  EXPECT_EQ(gif.LoopCount(), 1) << "no loop extension: plays once";
  const TGifDisposal expected[] = {
      TGifDisposal::None,       TGifDisposal::Leave,      TGifDisposal::Background,
      TGifDisposal::Previous,   TGifDisposal::Background, TGifDisposal::Background,
      TGifDisposal::Background, TGifDisposal::Background, TGifDisposal::None};
  for (int n = 1; n <= 9; ++n) {
    EXPECT_EQ(gif.Frame(n).Disposal, expected[n - 1]) << n;
    EXPECT_EQ(gif.Frame(n).DelayMs, n <= 8 ? static_cast<std::uint32_t>(10 * (4 + n)) : 0u) << n;
    EXPECT_EQ(gif.Frame(n).Transparent, n == 2) << n;
  }
  const TgfFrame& transparent = gif.Frame(2);
  EXPECT_EQ(transparent.TransparentIndex, 2);
  EXPECT_EQ(transparent.TransparentColor, MakeColor(0, 0xFF, 0));
  ASSERT_FALSE(transparent.Mask.Empty());
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 4; ++x)
      EXPECT_EQ(IsMaskWhite(transparent.Mask, x, y), transparent.Picture.Row(y)[x] == 2);
  EXPECT_TRUE(gif.Frame(1).Mask.Empty());
}

TEST(GifDecoder, KeepsAtMost256Frames) {
  TGifBuilder builder(2, 2, kGlobal);
  for (int i = 0; i < 300; ++i)
    builder.Frame(0, 0, 2, 2, {0, 1, 2, static_cast<std::uint8_t>(i % 4)});
  TGIFImage gif;
  ASSERT_EQ(LoadOutcome(builder.Bytes(), gif), "ok");
  EXPECT_EQ(gif.FrameCount(), 256);
  EXPECT_EQ(gif.Frame(256).Picture.Row(1)[1], 255 % 4);
}

TEST(GifDecoder, WhatIsNoGifOrHasNoFrameIsNoPicture) {
  TGIFImage gif;
  EXPECT_EQ(LoadOutcome({}, gif), "no picture");
  EXPECT_EQ(LoadOutcome({'G', 'I', 'F'}, gif), "no picture");
  EXPECT_EQ(LoadOutcome({'B', 'M', 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0}, gif), "no picture");
  EXPECT_EQ(LoadOutcome(TGifBuilder(4, 4, kGlobal).Comment("nothing else").Bytes(), gif),
            "no picture");
  EXPECT_TRUE(gif.Empty());
}

TEST(GifDecoder, DamagedFramesAreCorruptAndLeaveNoPicture) {
  const TBytes8 codes = LzwEncode(Pattern(4, 4, 4), 2);
  const auto outcome = [](const TBytes8& bytes) {
    TGIFImage gif;
    const std::string result = LoadOutcome(bytes, gif);
    EXPECT_TRUE(result == "ok" || gif.Empty()) << result;
    return result;
  };
  EXPECT_EQ(outcome(TGifBuilder(4, 4, kGlobal).RawFrame(0, 0, 4, 4, 2, codes).Bytes()), "ok");
  for (int codeSize : {0, 9, 12, 255})
    EXPECT_EQ(outcome(TGifBuilder(4, 4, kGlobal).RawFrame(0, 0, 4, 4, codeSize, codes).Bytes()),
              kCorruptGifImage)
        << "code size " << codeSize;
  EXPECT_EQ(outcome(TGifBuilder(4, 4, kGlobal)
                        .RawFrame(0, 0, 4, 4, 2, PackCodes({{4, 3}, {1, 3}, {7, 3}, {5, 3}}))
                        .Bytes()),
            kCorruptGifImage)
      << "a code beyond the table";
  EXPECT_EQ(outcome(TGifBuilder(4, 4, kGlobal).RawFrame(0, 0, 0, 4, 2, codes).Bytes()),
            kCorruptGifImage);
  EXPECT_EQ(outcome(TGifBuilder(4, 4, kGlobal).RawFrame(0, 0, 4, 0, 2, codes).Bytes()),
            kCorruptGifImage);
  // A frame that promises more pixels than its data holds.
  EXPECT_EQ(outcome(TGifBuilder(4, 4, kGlobal).RawFrame(0, 0, 4000, 4000, 2, codes).Bytes()),
            kCorruptGifImage);
  // A good first frame does not save a damaged second one.
  EXPECT_EQ(outcome(TGifBuilder(4, 4, kGlobal)
                        .Frame(0, 0, 4, 4, Pattern(4, 4, 4))
                        .RawFrame(0, 0, 4, 4, 2, PackCodes({{4, 3}, {6, 3}}))
                        .Bytes()),
            kCorruptGifImage);
}

TEST(GifDecoder, HugeScreensAndFramesAreRefusedBeforeAnythingIsAllocated) {
  const TBytes8 codes = LzwEncode(Pattern(4, 4, 4), 2);
  TGIFImage gif;
  EXPECT_EQ(
      LoadOutcome(TGifBuilder(65535, 65535, kGlobal).Frame(0, 0, 4, 4, Pattern(4, 4, 4)).Bytes(),
                  gif),
      kGifDibAllocationFailed);
  EXPECT_EQ(
      LoadOutcome(TGifBuilder(4, 4, kGlobal).RawFrame(0, 0, 65535, 65535, 2, codes).Bytes(), gif),
      kGifDibAllocationFailed);
  // Small frames far out grow the logical screen beyond what can be held.
  EXPECT_EQ(
      LoadOutcome(TGifBuilder(4, 4, kGlobal).RawFrame(65000, 65000, 4, 4, 2, codes).Bytes(), gif),
      kGifDibAllocationFailed);
  EXPECT_TRUE(gif.Empty());

  // Many large frames add up: each 4096 x 4096 frame is a few kilobytes of codes.
  TBytes8 big(4096 * 4096, 1);
  const TBytes8 bigCodes = LzwEncode(big, 2);
  TGifBuilder builder(4096, 4096, kGlobal);
  for (int i = 0; i < 5; ++i) builder.RawFrame(0, 0, 4096, 4096, 2, bigCodes);
  EXPECT_EQ(LoadOutcome(builder.Bytes(), gif), kGifDibAllocationFailed);
}

TEST(GifDecoder, AFileCutBetweenBlocksKeepsItsWholeFrames) {
  TBytes8 bytes = TGifBuilder(4, 4, kGlobal)
                      .Frame(0, 0, 4, 4, Pattern(4, 4, 4))
                      .Control(0, 10)
                      .Frame(0, 0, 4, 4, Pattern(4, 4, 3))
                      .Bytes();
  bytes.pop_back();  // the trailer
  TGIFImage gif;
  ASSERT_EQ(LoadOutcome(bytes, gif), "ok");
  EXPECT_EQ(gif.FrameCount(), 2);
  bytes.push_back(0x42);  // a byte that starts no block ends reading too
  ASSERT_EQ(LoadOutcome(bytes, gif), "ok");
  EXPECT_EQ(gif.FrameCount(), 2);
}

// The samples of Debian's giflib source package, as files nobody here wrote.
const char* const kSamples[] = {"fire.gif",     "gifgrid.gif",  "porsche.gif",
                                "solid2.gif",   "treescap.gif", "treescap-interlaced.gif",
                                "welcome2.gif", "x-trans.gif"};

TEST(GifDecoder, FirstFramesMatchGiflibsOwnDumpsOfItsSamples) {
  // gif2rgb paints every frame over the last without transparency: for single pictures
  // that is the first frame in its palette colours.
  for (const char* name :
       {"gifgrid", "porsche", "solid2", "treescap", "treescap-interlaced", "x-trans"}) {
    SCOPED_TRACE(name);
    TGIFImage gif;
    ASSERT_EQ(gif.LoadFromFile(GiflibPicture(std::string(name) + ".gif")), TGifStatus::Loaded);
    const TBytes8 rgb = ReadWholeFile(DepsDir() + "/src/giflib/tests/" + name + ".rgb");
    ASSERT_EQ(rgb.size(), static_cast<std::size_t>(gif.Width()) * gif.Height() * 3);
    const TDIB first = gif.FirstFrameBitmap();
    const TDIBReader reader(first);
    int differences = 0;
    for (int y = 0; y < gif.Height(); ++y)
      for (int x = 0; x < gif.Width(); ++x) {
        const std::size_t at = (static_cast<std::size_t>(y) * gif.Width() + x) * 3;
        differences += reader.Pixel(x, y) != MakeColor(rgb[at], rgb[at + 1], rgb[at + 2]);
      }
    EXPECT_EQ(differences, 0);
  }
}

// Damaged copies of real files must fail cleanly: no crash, no hang, no picture half made.
TEST(GifDecoder, SamplesCutAtManyLengthsFailCleanlyOrKeepTheirWholeFrames) {
  for (const char* name : kSamples) {
    SCOPED_TRACE(name);
    const TBytes8 whole = ReadWholeFile(GiflibPicture(name));
    ASSERT_FALSE(whole.empty());
    TGIFImage full;
    ASSERT_EQ(LoadOutcome(whole, full), "ok");
    const std::size_t step = std::max<std::size_t>(1, whole.size() / 300);
    for (std::size_t length = 0; length < whole.size(); length += step) {
      TGIFImage cut;
      const TBytes8 bytes(whole.begin(), whole.begin() + static_cast<std::ptrdiff_t>(length));
      const std::string outcome = LoadOutcome(bytes, cut);
      if (outcome != "ok") {
        EXPECT_TRUE(outcome == "no picture" || outcome == kCorruptGifImage) << outcome;
        EXPECT_TRUE(cut.Empty());
        continue;
      }
      ASSERT_LE(cut.FrameCount(), full.FrameCount()) << length;
      for (int n = 1; n <= cut.FrameCount(); ++n)
        ASSERT_TRUE(cut.Frame(n).Picture == full.Frame(n).Picture) << length << " frame " << n;
    }
  }
}

TEST(GifDecoder, SamplesWithRandomBytesChangedFailCleanly) {
  std::mt19937 random(2024);
  int pictures = 0, failures = 0;
  for (const char* name : kSamples) {
    const TBytes8 whole = ReadWholeFile(GiflibPicture(name));
    ASSERT_FALSE(whole.empty()) << name;
    for (int variant = 0; variant < 60; ++variant) {
      TBytes8 bytes = whole;
      const int changes = 1 + static_cast<int>(random() % 8);
      for (int i = 0; i < changes; ++i)
        bytes[random() % bytes.size()] = static_cast<std::uint8_t>(random());
      TGIFImage gif;
      const std::string outcome = LoadOutcome(bytes, gif);
      if (outcome == "ok") {
        ++pictures;
        EXPECT_GE(gif.Width(), gif.Frame(1).Left + gif.Frame(1).Width);
        EXPECT_EQ(gif.Composite().Width(), gif.Width());
      } else {
        ++failures;
        EXPECT_TRUE(gif.Empty());
      }
    }
  }
  // Both ways out are taken: the damage is real, and not everything is refused.
  EXPECT_GT(pictures, 0);
  EXPECT_GT(failures, 0);
}

}  // namespace
