// Our GIF decoder against giflib, frame by frame and pixel by pixel, on GIFs that nobody
// here wrote: the sample pictures of Debian's giflib source package and GIFs written by
// ImageMagick.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "GiflibReference.h"
#include "TestFiles.h"
#include "images/DibAccess.h"
#include "images/GifDecoder.h"
#include "images/GifImage.h"

namespace {

// The "NETSCAPE2.0" loop count wherever giflib filed the extension; -1 without one.
int GiflibLoopCount(const GifFileType& gif) {
  const auto search = [](const ExtensionBlock* blocks, int count) {
    for (int i = 0; i + 1 < count; ++i) {
      const ExtensionBlock& id = blocks[i];
      const ExtensionBlock& data = blocks[i + 1];
      if (id.Function == APPLICATION_EXT_FUNC_CODE && id.ByteCount == 11 &&
          std::memcmp(id.Bytes, "NETSCAPE2.0", 11) == 0 && data.ByteCount >= 3 &&
          data.Bytes[0] == 1)
        return data.Bytes[1] | data.Bytes[2] << 8;
    }
    return -1;
  };
  for (int i = 0; i < gif.ImageCount; ++i) {
    const int loop =
        search(gif.SavedImages[i].ExtensionBlocks, gif.SavedImages[i].ExtensionBlockCount);
    if (loop >= 0) return loop;
  }
  return search(gif.ExtensionBlocks, gif.ExtensionBlockCount);
}

TGifDisposal ExpectedDisposal(int giflibMode) {
  switch (giflibMode) {
    case DISPOSAL_UNSPECIFIED:
      return TGifDisposal::None;
    case DISPOSE_DO_NOT:
      return TGifDisposal::Leave;
    case DISPOSE_PREVIOUS:
      return TGifDisposal::Previous;
    default:
      return TGifDisposal::Background;
  }
}

struct TComparison {
  int frames = 0;
  int localPalettes = 0;
  int interlaced = 0;
  int transparent = 0;
};

void CompareWithGiflib(const std::string& path, TComparison& seen) {
  const std::vector<std::uint8_t> bytes = ReadWholeFile(path);
  EXPECT_FALSE(bytes.empty()) << path;
  const TGiflibFile gif = SlurpWithGiflib(bytes);
  EXPECT_TRUE(gif) << "giflib cannot read " << path;
  TGIFImage ours;
  EXPECT_EQ(ours.LoadFromStream(bytes.data(), bytes.size()), TGifStatus::Loaded) << path;
  if (!gif || ours.Empty()) return;

  const int frames = std::min<int>(gif->ImageCount, kMaxGifFrames);
  EXPECT_EQ(ours.FrameCount(), frames) << path;
  std::int32_t width = gif->SWidth, height = gif->SHeight;
  for (int i = 0; i < frames; ++i) {
    const GifImageDesc& desc = gif->SavedImages[i].ImageDesc;
    width = std::max(width, desc.Left + desc.Width);
    height = std::max(height, desc.Top + desc.Height);
  }
  EXPECT_EQ(ours.Width(), width) << path;
  EXPECT_EQ(ours.Height(), height) << path;
  // Without the extension the GIF plays once.
  const int loop = GiflibLoopCount(*gif);
  EXPECT_EQ(ours.LoopCount(), loop < 0 ? 1 : loop) << path;

  for (int i = 0; i < std::min(frames, ours.FrameCount()); ++i) {
    SCOPED_TRACE(path + " frame " + std::to_string(i + 1));
    const SavedImage& image = gif->SavedImages[i];
    const GifImageDesc& desc = image.ImageDesc;
    const TgfFrame& frame = ours.Frame(i + 1);
    ++seen.frames;
    ASSERT_EQ(frame.Left, desc.Left);
    ASSERT_EQ(frame.Top, desc.Top);
    ASSERT_EQ(frame.Width, desc.Width);
    ASSERT_EQ(frame.Height, desc.Height);
    EXPECT_EQ(frame.Interlaced, static_cast<bool>(desc.Interlace));
    EXPECT_EQ(frame.HasLocalPalette, desc.ColorMap != nullptr);
    seen.localPalettes += frame.HasLocalPalette;
    seen.interlaced += frame.Interlaced;

    const ColorMapObject* map = desc.ColorMap ? desc.ColorMap : gif->SColorMap;
    ASSERT_NE(map, nullptr);
    const TPalette& palette = frame.Picture.Palette();
    ASSERT_EQ(palette.size(), 256u);
    for (int c = 0; c < map->ColorCount; ++c) {
      const GifColorType& rgb = map->Colors[c];
      ASSERT_EQ(palette[static_cast<std::size_t>(c)], MakeColor(rgb.Red, rgb.Green, rgb.Blue))
          << "palette entry " << c;
    }

    // DGifSlurp puts interlaced rows back in order, as we do.
    int mismatches = 0;
    for (int y = 0; y < desc.Height; ++y) {
      const std::uint8_t* row = frame.Picture.Row(y);
      for (int x = 0; x < desc.Width; ++x) {
        const std::uint8_t expected = image.RasterBits[y * desc.Width + x];
        if (row[x] != expected && mismatches++ < 3)
          ADD_FAILURE() << "pixel " << x << "," << y << ": " << int{row[x]} << " instead of "
                        << int{expected};
      }
    }
    EXPECT_EQ(mismatches, 0);

    GraphicsControlBlock control{};
    if (DGifSavedExtensionToGCB(gif.get(), i, &control) == GIF_OK) {
      EXPECT_EQ(frame.DelayMs, static_cast<std::uint32_t>(control.DelayTime) * 10);
      EXPECT_EQ(frame.Disposal, ExpectedDisposal(control.DisposalMode));
      EXPECT_EQ(frame.Transparent, control.TransparentColor != NO_TRANSPARENT_COLOR);
      if (frame.Transparent) {
        ++seen.transparent;
        EXPECT_EQ(frame.TransparentIndex, control.TransparentColor);
        for (int y = 0; y < desc.Height; ++y)
          for (int x = 0; x < desc.Width; ++x)
            ASSERT_EQ(IsMaskWhite(frame.Mask, x, y),
                      image.RasterBits[y * desc.Width + x] == control.TransparentColor)
                << "mask at " << x << "," << y;
      }
    } else {
      EXPECT_FALSE(frame.Transparent);
      EXPECT_EQ(frame.DelayMs, 0u);
    }
  }
}

TComparison ExpectSameAsGiflib(const std::string& path) {
  TComparison seen;
  CompareWithGiflib(path, seen);
  return seen;
}

const char* const kGiflibSamples[] = {"fire.gif",     "gifgrid.gif",  "porsche.gif",
                                      "solid2.gif",   "treescap.gif", "treescap-interlaced.gif",
                                      "welcome2.gif", "x-trans.gif"};

TEST(GifAgainstGiflib, EverySamplePictureOfGiflibDecodesAlike) {
  TComparison total;
  for (const char* name : kGiflibSamples) {
    const TComparison seen = ExpectSameAsGiflib(GiflibPicture(name));
    EXPECT_GT(seen.frames, 0) << name;
    total.frames += seen.frames;
    total.interlaced += seen.interlaced;
  }
  const TComparison wedge = ExpectSameAsGiflib(DepsDir() + "/src/giflib/tests/wedge.gif");
  EXPECT_EQ(wedge.frames, 1);
  EXPECT_GT(total.interlaced, 0);
  EXPECT_GT(total.frames, static_cast<int>(std::size(kGiflibSamples)));  // animated ones too
}

TEST(GifAgainstGiflib, InterlacedAndPlainTreescapeArePixelForPixelTheSame) {
  TGIFImage plain, interlaced;
  const auto plainBytes = ReadWholeFile(GiflibPicture("treescap.gif"));
  const auto interlacedBytes = ReadWholeFile(GiflibPicture("treescap-interlaced.gif"));
  ASSERT_EQ(plain.LoadFromStream(plainBytes.data(), plainBytes.size()), TGifStatus::Loaded);
  ASSERT_EQ(interlaced.LoadFromStream(interlacedBytes.data(), interlacedBytes.size()),
            TGifStatus::Loaded);
  EXPECT_TRUE(interlaced.Frame(1).Interlaced);
  EXPECT_FALSE(plain.Frame(1).Interlaced);
  EXPECT_TRUE(plain.Frame(1).Picture == interlaced.Frame(1).Picture);
}

std::string MagickGif(const std::string& name) {
  return std::string(PAVINA_MAGICK_DIR) + "/" + name;
}

TEST(GifAgainstGiflib, ImageMagickGifsOfEveryColourDepthDecodeAlike) {
  for (int colors : {2, 4, 8, 16, 32, 64, 128, 256})
    EXPECT_EQ(ExpectSameAsGiflib(MagickGif("rose-" + std::to_string(colors) + ".gif")).frames, 1);
  for (const char* name : {"plasma-256.gif", "plasma-3.gif", "gradient.gif", "logo.gif"})
    EXPECT_EQ(ExpectSameAsGiflib(MagickGif(name)).frames, 1) << name;
}

TEST(GifAgainstGiflib, ImageMagickInterlacedGifsDecodeAlike) {
  for (const char* name : {"rose-interlaced.gif", "plasma-interlaced.gif"})
    EXPECT_EQ(ExpectSameAsGiflib(MagickGif(name)).interlaced, 1) << name;
}

TEST(GifAgainstGiflib, ImageMagickAnimationsWithLocalPalettesTransparencyAndDisposalsDecodeAlike) {
  const TComparison local = ExpectSameAsGiflib(MagickGif("local-palettes.gif"));
  EXPECT_EQ(local.frames, 3);
  EXPECT_GT(local.localPalettes, 0);
  EXPECT_GT(ExpectSameAsGiflib(MagickGif("transparent.gif")).transparent, 0);
  EXPECT_GT(ExpectSameAsGiflib(MagickGif("transparent-frames.gif")).transparent, 1);
  EXPECT_EQ(ExpectSameAsGiflib(MagickGif("disposal.gif")).frames, 4);
}

// Every frame as ImageMagick's -coalesce composes it, 4 bytes a pixel (red, green, blue,
// alpha), frames one after the other.
std::vector<std::uint8_t> CoalescedByImageMagick(const std::string& path) {
  const std::string command = "/usr/bin/convert '" + path + "' -coalesce -depth 8 rgba:-";
  std::vector<std::uint8_t> rgba;
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return rgba;
  std::uint8_t buffer[65536];
  std::size_t count;
  while ((count = std::fread(buffer, 1, sizeof buffer, pipe)) > 0)
    rgba.insert(rgba.end(), buffer, buffer + count);
  pclose(pipe);
  return rgba;
}

// Our animation, step by step, shows what ImageMagick composes: the same colour where it
// is opaque, and see-through (or, without any transparent frame, black) where it is not.
void ExpectCompositesLikeImageMagick(const std::string& path) {
  SCOPED_TRACE(path);
  TGIFImage gif;
  ASSERT_EQ(gif.LoadFromFile(path), TGifStatus::Loaded);
  const std::vector<std::uint8_t> rgba = CoalescedByImageMagick(path);
  const std::size_t frameBytes = static_cast<std::size_t>(gif.Width()) * gif.Height() * 4;
  ASSERT_EQ(rgba.size(), frameBytes * static_cast<std::size_t>(gif.FrameCount()));
  gif.StartAnimation(0);
  for (int n = 1; n <= gif.FrameCount(); ++n) {
    if (n > 1) {
      gif.MarkDrawn();
      ASSERT_TRUE(gif.Step(static_cast<std::uint32_t>(n) * 100000));
    }
    ASSERT_EQ(gif.CurrentFrame(), n);
    const TDIBReader composite(gif.Composite());
    int differences = 0;
    for (int y = 0; y < gif.Height(); ++y)
      for (int x = 0; x < gif.Width(); ++x) {
        const std::uint8_t* theirs = &rgba[frameBytes * static_cast<std::size_t>(n - 1) +
                                           (static_cast<std::size_t>(y) * gif.Width() + x) * 4];
        const bool seeThrough = gif.CompositeMask() && IsMaskWhite(*gif.CompositeMask(), x, y);
        const TColor ours = composite.Pixel(x, y);
        const bool same = theirs[3] == 0
                              ? seeThrough || (!gif.CompositeMask() && ours == kBlack)
                              : !seeThrough && ours == MakeColor(theirs[0], theirs[1], theirs[2]);
        if (!same && differences++ < 3) ADD_FAILURE() << "frame " << n << " at " << x << "," << y;
      }
    EXPECT_EQ(differences, 0) << "frame " << n;
  }
}

TEST(GifAnimationAgainstImageMagick, CompositesMatchImageMagicksCoalescedFrames) {
  for (const char* name : {"disposal.gif", "transparent-frames.gif", "local-palettes.gif"})
    ExpectCompositesLikeImageMagick(MagickGif(name));
  for (const char* name : {"fire.gif", "welcome2.gif"})
    ExpectCompositesLikeImageMagick(GiflibPicture(name));
}

}  // namespace
