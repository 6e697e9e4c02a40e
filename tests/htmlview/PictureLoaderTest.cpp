#include <gtest/gtest.h>

#include "BmpTestFile.h"
#include "GifBuilder.h"
#include "PngTestFile.h"
#include "TestFiles.h"
#include "images/ColorPalette.h"
#include "images/DibAccess.h"
#include "images/PictureLoader.h"

namespace htmlview {

namespace {
using pavina::pictures::TBmpTestFile;

// 0 black, 1 red, 2 green, 3 black again: a second entry with the transparent colour.
const TRgbList kPalette = {0x000000, 0x0000FF, 0x00FF00, 0x000000};

// 3 x 2, lower-left white, which also stands top right.
TBytes8 Bitmap() {
  TBmpTestFile bmp;
  bmp.width = 3;
  bmp.height = 2;
  bmp.pixels = {0x0000FF, 0x00FF00, 0xFFFFFF, 0xFFFFFF, 0xFF0000, 0x123456};
  return bmp.Write();
}

class ViewerPictureLoading : public ::testing::Test {
 protected:
  TTempFolder folder;
  TStringBitmapList cache;
  TPictureLoader loader{cache, 24, BuildSharedPalette(StandardSystemPalette())};
};

TEST_F(ViewerPictureLoading, MissingUnknownAndDamagedFilesShowTheCannotLoadPicture) {
  EXPECT_EQ(loader.GetImage(folder.Path("missing.bmp"), false).BuiltIn,
            TBuiltInPicture::CannotLoad);
  EXPECT_EQ(loader.GetImage(folder.Write("junk.bmp", {'B', 'X', 1, 2, 3}), false).BuiltIn,
            TBuiltInPicture::CannotLoad);
  EXPECT_EQ(loader.GetImage(folder.Write("broken.bmp", {'B', 'M', 1, 2, 3}), false).BuiltIn,
            TBuiltInPicture::CannotLoad);
  TBytes8 cut = PngTestFile(2, 2, 2, TBytes8(12, 7));
  cut.resize(cut.size() - 20);
  EXPECT_EQ(loader.GetImage(folder.Write("cut.png", cut), false).BuiltIn,
            TBuiltInPicture::CannotLoad);
  EXPECT_EQ(cache.Count(), 0u) << "nothing that failed is cached";
}

// A PNG with alpha, told by its content, stays 32 bits with straight colours (mode Png). A
// palette screen cannot blend: there the alpha becomes a mask, white where more than half
// see-through.
TEST_F(ViewerPictureLoading, PngPicturesKeepTheirAlphaOrOnPaletteScreensMaskIt) {
  const TBytes8 rgba = {255, 0, 0, 255, 0, 255, 0, 128, 0, 0, 255, 0, 10, 20, 30, 127};
  const std::string name = folder.Write("logo.dat", PngTestFile(2, 2, 6, rgba));
  const TImageForSource image = loader.GetImage(name, false);
  ASSERT_NE(image.Bitmap, nullptr);
  EXPECT_EQ(image.Mode, TTransparencyMode::Png);
  ASSERT_EQ(image.Bitmap->BitsPerPixel(), 32);
  EXPECT_EQ(TBytes8(image.Bitmap->Row(0), image.Bitmap->Row(0) + 16),
            (TBytes8{0, 0, 255, 255, 0, 255, 0, 128, 255, 0, 0, 0, 30, 20, 10, 127}));

  TPictureLoader palette{cache, 8, BuildSharedPalette(StandardSystemPalette())};
  const TLoadedPicture reduced = palette.LoadPictureFile(name, false);
  ASSERT_NE(reduced.Mask, nullptr);
  EXPECT_EQ(reduced.Bitmap->BitsPerPixel(), 8);
  EXPECT_EQ(std::vector<bool>({IsMaskWhite(*reduced.Mask, 0, 0), IsMaskWhite(*reduced.Mask, 1, 0),
                               IsMaskWhite(*reduced.Mask, 0, 1), IsMaskWhite(*reduced.Mask, 1, 1)}),
            std::vector<bool>({false, false, true, true}));
}

TEST_F(ViewerPictureLoading, ASingleFrameGifBecomesACachedBitmapMaskedByItsTransparentIndex) {
  // Index 0 is transparent; index 3 has the same colour and must stay visible.
  const TBytes8 pixels = {0, 1, 3, 2, 0, 3};
  const std::string name = folder.Write(
      "One.GIF", TGifBuilder(3, 2, kPalette).Control(0, 0, 0).Frame(0, 0, 3, 2, pixels).Bytes());
  const TImageForSource first = loader.GetImage(name, false);
  ASSERT_NE(first.Bitmap, nullptr);
  EXPECT_EQ(first.Gif, nullptr);
  EXPECT_FALSE(first.FromCache);
  EXPECT_EQ(first.Bitmap->BitsPerPixel(), 8);
  EXPECT_EQ(first.Mode, TTransparencyMode::GifColor);
  ASSERT_NE(first.Mask, nullptr);
  for (int i = 0; i < 6; ++i)
    EXPECT_EQ(IsMaskWhite(*first.Mask, i % 3, i / 3), pixels[static_cast<std::size_t>(i)] == 0)
        << i;

  const TImageForSource second = loader.GetImage(" " + name + " ", true);
  EXPECT_TRUE(second.FromCache);
  EXPECT_EQ(second.Bitmap, first.Bitmap);
  EXPECT_EQ(second.Mask, first.Mask) << "TRANSP does not replace the GIF's own mask";
  EXPECT_EQ(cache.Find(name)->UsageCount, 2);
  cache.Release(first.CacheName);
  cache.Release(second.CacheName);
  EXPECT_EQ(cache.Find(name)->UsageCount, 0);
}

TEST_F(ViewerPictureLoading, AnAnimatedGifStaysAGifAndEachUseGetsItsOwnCopy) {
  TGifBuilder builder(2, 2, kPalette);
  builder.Control(1, 10)
      .Frame(0, 0, 2, 2, {1, 1, 1, 1})
      .Control(1, 10)
      .Frame(0, 0, 2, 2, {2, 2, 2, 2});
  const std::string name = folder.Write("anim.gif", builder.Loop(0).Bytes());
  TImageForSource first = loader.GetImage(name, false);
  TImageForSource second = loader.GetImage(name, false);
  ASSERT_NE(first.Gif, nullptr);
  ASSERT_NE(second.Gif, nullptr);
  EXPECT_NE(first.Gif.get(), second.Gif.get());
  EXPECT_FALSE(first.FromCache);
  EXPECT_TRUE(second.FromCache);
  EXPECT_NE(cache.Find(name)->Gif, nullptr);
  first.Gif->StartAnimation(0);
  first.Gif->MarkDrawn();
  ASSERT_TRUE(first.Gif->Step(100));
  EXPECT_EQ(first.Gif->CurrentFrame(), 2);
  EXPECT_EQ(second.Gif->CurrentFrame(), 1);
  EXPECT_EQ(cache.Find(name)->Gif->CurrentFrame(), 1);
}

TEST_F(ViewerPictureLoading, AGifThatFailsFreesEveryCacheEntryWithoutUsers) {
  const TImageForSource unused = loader.GetImage(folder.Write("unused.bmp", Bitmap()), false);
  const TImageForSource used = loader.GetImage(folder.Write("used.bmp", Bitmap()), false);
  ASSERT_NE(unused.Bitmap, nullptr);
  cache.Release(unused.CacheName);
  TBytes8 damaged =
      TGifBuilder(4, 4, kPalette).RawFrame(0, 0, 4, 4, 2, PackCodes({{4, 3}, {7, 3}})).Bytes();
  const TImageForSource failed = loader.GetImage(folder.Write("damaged.gif", damaged), false);
  EXPECT_EQ(failed.BuiltIn, TBuiltInPicture::CannotLoad);
  EXPECT_EQ(cache.Find(unused.CacheName), nullptr);
  EXPECT_NE(cache.Find(used.CacheName), nullptr);
  EXPECT_EQ(cache.Count(), 1u);
}

TEST_F(ViewerPictureLoading, TranspMasksTheLowerLeftColourEvenOnACachedBitmap) {
  const std::string name = folder.Write("b.bmp", Bitmap());
  const TImageForSource plain = loader.GetImage(name, false);
  ASSERT_NE(plain.Bitmap, nullptr);
  EXPECT_EQ(plain.Bitmap->BitsPerPixel(), 24);
  EXPECT_EQ(plain.Mask, nullptr);
  const TImageForSource transp = loader.GetImage(name, true);
  EXPECT_TRUE(transp.FromCache);
  EXPECT_EQ(transp.Mode, TTransparencyMode::LowerLeft);
  ASSERT_NE(transp.Mask, nullptr);
  const bool expected[6] = {false, false, true, true, false, false};
  for (int i = 0; i < 6; ++i) EXPECT_EQ(IsMaskWhite(*transp.Mask, i % 3, i / 3), expected[i]) << i;

  const TLoadedPicture file = loader.LoadPictureFile(name, true);
  ASSERT_NE(file.Mask, nullptr);
  EXPECT_TRUE(*file.Mask == *transp.Mask);
}

TEST_F(ViewerPictureLoading, OnAPaletteScreenTranspMasksTheDecodedColoursFirstLoadedOrCached) {
  // Dark greys that the shared palette cannot tell apart: only the lower-left one is
  // see-through, whatever dithering makes of either.
  TBmpTestFile bmp;
  bmp.width = 8;
  bmp.height = 4;
  std::vector<bool> expected;
  for (int i = 0; i < 32; ++i) {
    const bool lowerLeftColour = i % 3 != 1;
    bmp.pixels.push_back(lowerLeftColour ? 0x0A0A0A : i % 2 ? 0x0C0C0C : 0x080808);
    expected.push_back(lowerLeftColour);
  }
  const std::string name = folder.Write("grey.bmp", bmp.Write());
  TPictureLoader palette(cache, 8, BuildSharedPalette(StandardSystemPalette()));

  const TLoadedPicture first = palette.LoadPictureFile(name, true);
  const TImageForSource plain = palette.GetImage(name, false);
  ASSERT_NE(plain.Bitmap, nullptr);
  EXPECT_EQ(plain.Bitmap->BitsPerPixel(), 8) << "dithered for the screen";
  EXPECT_EQ(plain.Mask, nullptr);
  const TImageForSource cached = palette.GetImage(name, true);
  EXPECT_TRUE(cached.FromCache);
  EXPECT_EQ(cached.Mode, TTransparencyMode::LowerLeft);
  for (const auto* mask : {first.Mask.get(), cached.Mask.get()}) {
    ASSERT_NE(mask, nullptr);
    for (int i = 0; i < 32; ++i)
      EXPECT_EQ(IsMaskWhite(*mask, i % 8, i / 8), expected[static_cast<std::size_t>(i)]) << i;
  }
}

TEST_F(ViewerPictureLoading, PictureFilesGiveTheFirstFrameOfAGifAndItsLeadingTransparency) {
  TGifBuilder leading(3, 2, kPalette);
  leading.Control(0, 10, 0)
      .Frame(0, 0, 3, 2, {0, 1, 3, 2, 0, 3})
      .Control(0, 10)
      .Frame(0, 0, 3, 2, {1, 1, 1, 1, 1, 1});
  const TLoadedPicture first =
      loader.LoadPictureFile(folder.Write("lead.gif", leading.Bytes()), false);
  ASSERT_NE(first.Bitmap, nullptr);
  EXPECT_EQ(first.Mode, TTransparencyMode::GifColor);
  EXPECT_EQ(TDIBReader(*first.Bitmap).Pixel(1, 0), MakeColor(255, 0, 0)) << "the first frame";
  ASSERT_NE(first.Mask, nullptr);
  EXPECT_TRUE(IsMaskWhite(*first.Mask, 0, 0));
  EXPECT_FALSE(IsMaskWhite(*first.Mask, 2, 0)) << "same colour, other index";

  // A loop extension in between: the control block no longer follows the colour table.
  TGifBuilder later(3, 2, kPalette);
  later.Loop(0).Control(0, 10, 0).Frame(0, 0, 3, 2, {0, 1, 3, 2, 0, 3});
  const TLoadedPicture second =
      loader.LoadPictureFile(folder.Write("later.gif", later.Bytes()), false);
  ASSERT_NE(second.Bitmap, nullptr);
  EXPECT_EQ(second.Mode, TTransparencyMode::None);
  EXPECT_EQ(second.Mask, nullptr);
}

TEST_F(ViewerPictureLoading, RealBitmapAndJpegFilesLoadAndPaletteScreensGetTheSharedPalette) {
  const std::string jpeg = DepsDir() + "/src/libjpeg-turbo/testimages/testorig.jpg";
  const std::string bmp = DepsDir() + "/src/libjpeg-turbo/testimages/vgl_6548_0026a.bmp";
  const TLoadedPicture deep = loader.LoadPictureFile(jpeg, false);
  ASSERT_NE(deep.Bitmap, nullptr);
  EXPECT_EQ(deep.Bitmap->BitsPerPixel(), 24);
  EXPECT_EQ(deep.Bitmap->Width(), 227);
  EXPECT_EQ(deep.Bitmap->Height(), 149);
  const TLoadedPicture bitmap = loader.LoadPictureFile(bmp, false);
  ASSERT_NE(bitmap.Bitmap, nullptr);
  EXPECT_EQ(bitmap.Bitmap->Width(), 128);
  EXPECT_EQ(bitmap.Bitmap->Height(), 95);

  const TPalette shared = BuildSharedPalette(StandardSystemPalette());
  TPictureLoader palette(cache, 8, shared);
  for (const std::string& name : {jpeg, bmp}) {
    const TLoadedPicture reduced = palette.LoadPictureFile(name, false);
    ASSERT_NE(reduced.Bitmap, nullptr) << name;
    EXPECT_EQ(reduced.Bitmap->BitsPerPixel(), 8) << name;
    EXPECT_EQ(reduced.Bitmap->Palette(), shared) << name;
  }
  TPictureLoader sixteen(cache, 4, shared);
  EXPECT_EQ(sixteen.LoadPictureFile(bmp, false).Bitmap->Palette(), SystemDefaultPalette());
}

TEST_F(ViewerPictureLoading, HostSuppliedImagesComeNowLaterOrNever) {
  int requests = 0;
  loader.ExpandFileName = [](const std::string&) -> std::string {
    ADD_FAILURE() << "names are not expanded while the host supplies images";
    return {};
  };
  loader.OnImageRequest = [&](const std::string& src) {
    ++requests;
    TImageRequestAnswer answer;
    if (src == "later.gif") answer.Kind = TImageRequestAnswer::TKind::Later;
    if (src == "now.bmp") answer = {TImageRequestAnswer::TKind::Stream, Bitmap()};
    if (src == "short.bmp") answer = {TImageRequestAnswer::TKind::Stream, {'B', 'M', 0, 0}};
    if (src == "now.gif")
      answer = {TImageRequestAnswer::TKind::Stream,
                TGifBuilder(2, 1, kPalette).Frame(0, 0, 2, 1, {1, 2}).Bytes()};
    return answer;
  };
  const TImageForSource waiting = loader.GetImage("later.gif", false, 11);
  EXPECT_TRUE(waiting.Pending);
  EXPECT_EQ(waiting.BuiltIn, TBuiltInPicture::NotShown);
  EXPECT_TRUE(loader.GetImage("LATER.GIF", false, 12).Pending);
  EXPECT_EQ(requests, 1) << "a pending name is not asked for again";
  EXPECT_EQ(loader.Pending().Take("later.gif"), (std::vector<TPendingImages::TWaiter>{11, 12}));
  EXPECT_FALSE(loader.Pending().Contains("later.gif"));

  EXPECT_NE(loader.GetImage("now.bmp", false).Bitmap, nullptr);
  const TImageForSource gif = loader.GetImage("now.gif", false);
  ASSERT_NE(gif.Bitmap, nullptr);
  EXPECT_EQ(TDIBReader(*gif.Bitmap).Pixel(1, 0), MakeColor(0, 255, 0));
  EXPECT_EQ(loader.GetImage("short.bmp", false).BuiltIn, TBuiltInPicture::CannotLoad);
  EXPECT_EQ(loader.GetImage("none.bmp", false).BuiltIn, TBuiltInPicture::CannotLoad);
  EXPECT_TRUE(loader.GetImage("now.gif", false).FromCache);
}

TEST_F(ViewerPictureLoading, WithoutAHostNamesAreExpandedToFiles) {
  folder.Write("x.bmp", Bitmap());
  loader.ExpandFileName = [&](const std::string& src) { return folder.Path(src); };
  const TImageForSource image = loader.GetImage("x.bmp", false);
  ASSERT_NE(image.Bitmap, nullptr);
  EXPECT_EQ(image.CacheName, folder.Path("x.bmp"));
}

}  // namespace

}  // namespace htmlview
