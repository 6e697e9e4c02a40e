#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "Raster.h"
#include "images/ColorLookup.h"
#include "images/ColorPalette.h"
#include "images/ColorReduction.h"
#include "images/DibAccess.h"
#include "images/DitherEngine.h"
#include "images/GraphicsError.h"
#include "images/OctreeQuantizer.h"

namespace htmlview {

namespace {

TDIB Picture24(int width, int height, const std::vector<TColor>& colors) {
  TDIB dib(width, height, 24);
  TDIBWriter writer(dib);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      writer.WriteColor(x, y, colors[static_cast<std::size_t>(y * width + x)]);
  return dib;
}

std::string ErrorOf(const std::function<void()>& action) {
  try {
    action();
  } catch (const EGraphicsError& error) {
    return error.what();
  }
  return "no error";
}

TEST(ColorLookup, TheWebSafeCubeIndexIs36Red6GreenBlueOfLevelsValuePlus3Over51) {
  TWebSafeColorLookup cube;
  ASSERT_EQ(cube.Palette().size(), 216u);
  EXPECT_EQ(cube.Palette()[36 * 2 + 6 * 5 + 1], MakeColor(102, 255, 51));
  EXPECT_EQ(cube.Lookup(0, 0, 0), 0);
  EXPECT_EQ(cube.Lookup(255, 255, 255), 215);
  EXPECT_EQ(cube.Lookup(47, 0, 0), 0);
  EXPECT_EQ(cube.Lookup(48, 0, 0), 36);
  EXPECT_EQ(cube.Lookup(0, 99, 0), 6 * 2);
  EXPECT_EQ(cube.Lookup(0, 98, 0), 6 * 1);
  EXPECT_EQ(cube.Lookup(200, 100, 253), 36 * 3 + 6 * 2 + 5) << "203 / 51 is level 3";
}

TEST(ColorLookup, AnyPaletteTakesTheSmallestAbsoluteDifferenceAndTheFirstOfEquals) {
  const TPalette palette = {MakeColor(10, 10, 10), MakeColor(0, 0, 30), MakeColor(30, 0, 0),
                            MakeColor(200, 200, 200), MakeColor(200, 200, 200)};
  // (10,0,10) is 20 from the first three alike; (200,200,200) twice.
  EXPECT_EQ(TFastColorLookup(palette).Lookup(10, 0, 10), 0);
  EXPECT_EQ(TFastColorLookup(palette).Lookup(201, 199, 200), 3);
  EXPECT_EQ(TFastColorLookup(palette).Lookup(29, 0, 2), 2);
  // (0,0,20) is 10 from entry 1 and 20 from entry 0.
  EXPECT_EQ(TFastColorLookup(palette).Lookup(0, 0, 20), 1);
}

TEST(ColorLookup, OneAnswerServesEveryColourOfACellOf32Levels) {
  TFastColorLookup lookup({MakeColor(0, 0, 0), MakeColor(7, 7, 7)});
  EXPECT_EQ(lookup.Lookup(1, 1, 1), 0);
  EXPECT_EQ(lookup.Lookup(7, 7, 7), 0) << "same cell as (1,1,1): remembered";
  TFastColorLookup fresh({MakeColor(0, 0, 0), MakeColor(7, 7, 7)});
  EXPECT_EQ(fresh.Lookup(7, 7, 7), 1);
  EXPECT_EQ(fresh.Lookup(8, 8, 8), 1) << "another cell, worked out anew";
}

TEST(ColorPalettes, TheSharedPaletteKeepsTheSystemEndsAroundTheCubeAndGreys) {
  TPalette system = StandardSystemPalette();
  ASSERT_EQ(system.size(), 256u);
  for (std::size_t i = 10; i < 246; ++i) system[i] = MakeColor(1, 2, 3);
  const TPalette shared = BuildSharedPalette(system);
  ASSERT_EQ(shared.size(), 256u);
  EXPECT_TRUE(std::equal(shared.begin(), shared.begin() + 10, system.begin()));
  EXPECT_TRUE(std::equal(shared.begin() + 246, shared.end(), system.begin() + 246));
  EXPECT_EQ(shared[10], MakeColor(55, 55, 55));
  EXPECT_EQ(shared[11], MakeColor(55, 55, 115));
  EXPECT_EQ(shared[224], MakeColor(255, 255, 235)) << "the cube without white";
  EXPECT_EQ(shared[225], MakeColor(135, 135, 135));
  EXPECT_EQ(shared[245], MakeColor(250, 250, 250));
  std::set<TColor> greys(shared.begin() + 225, shared.begin() + 246);
  EXPECT_EQ(greys.size(), 21u);
  for (int absent : {165, 205, 235}) {
    const auto level = static_cast<std::uint8_t>(absent);
    EXPECT_EQ(greys.count(MakeColor(level, level, level)), 0u) << absent;
  }
  EXPECT_EQ(std::count(shared.begin(), shared.end(), MakeColor(1, 2, 3)), 0);
  EXPECT_EQ(SystemDefaultPalette().size(), 20u);
  EXPECT_EQ(StandardSystemPalette()[255], kWhite);
}

TEST(OctreeQuantizer, FewerThan256ColoursComeBackExactly) {
  std::vector<TColor> colors;
  for (int i = 0; i < 200; ++i)
    colors.push_back(MakeColor(static_cast<std::uint8_t>(i), static_cast<std::uint8_t>(255 - i),
                               static_cast<std::uint8_t>(i * 7)));
  std::vector<TColor> pixels;
  for (int repeat = 0; repeat < 3; ++repeat)
    pixels.insert(pixels.end(), colors.begin(), colors.end());
  TColorQuantizer quantizer;
  quantizer.AddImage(Picture24(20, 30, pixels));
  const TPalette palette = quantizer.Palette();
  EXPECT_EQ(std::set<TColor>(palette.begin(), palette.end()),
            std::set<TColor>(colors.begin(), colors.end()));
  EXPECT_EQ(palette.size(), 200u);
}

TEST(OctreeQuantizer, ManyColoursAreMergedIntoAtMostTheLimit) {
  TColorQuantizer quantizer(16);
  for (int r = 0; r < 256; r += 5)
    for (int g = 0; g < 256; g += 9)
      for (int b = 0; b < 256; b += 17) {
        quantizer.AddColor(MakeColor(static_cast<std::uint8_t>(r), static_cast<std::uint8_t>(g),
                                     static_cast<std::uint8_t>(b)));
      }
  const TPalette palette = quantizer.Palette();
  EXPECT_LE(palette.size(), 16u);
  EXPECT_GE(palette.size(), 8u);
  EXPECT_EQ(quantizer.LeafCount(), static_cast<int>(palette.size()));
  // Merged leaves average their pixels: reds spread over the whole range.
  const auto [low, high] = std::minmax_element(
      palette.begin(), palette.end(), [](TColor a, TColor b) { return RedOf(a) < RedOf(b); });
  EXPECT_LT(RedOf(*low), 100);
  EXPECT_GT(RedOf(*high), 150);
}

TEST(ColorReduction, FloydSteinbergOnAFlatColourOfThePaletteChangesNothing) {
  const TColor flat = MakeColor(55, 115, 205);  // in the shared palette
  const TDIB source = Picture24(37, 23, std::vector<TColor>(37 * 23, flat));
  const TDIB reduced = ReduceColors(source, TPaletteKind::Shared, TDitherMode::FloydSteinberg);
  ASSERT_EQ(reduced.BitsPerPixel(), 8);
  const TDIBReader reader(reduced);
  for (int y = 0; y < 23; ++y)
    for (int x = 0; x < 37; ++x) ASSERT_EQ(reader.Pixel(x, y), flat) << x << "," << y;
}

TEST(ColorReduction, FloydSteinbergSpreadsErrorsSerpentineWithTheWeightsRounded) {
  // Worked out by hand from the weights 7, 3, 5, 1 / 16 rounded half away from zero, rows
  // alternating direction; truncating, swapping 7 and 5, or always going left to right each
  // give another result here.
  const std::vector<TColor> pixels = {
      MakeColor(168, 200, 40),  MakeColor(88, 200, 152),  MakeColor(136, 168, 24),
      MakeColor(168, 24, 120),  MakeColor(232, 232, 232), MakeColor(152, 88, 88),
      MakeColor(200, 104, 24),  MakeColor(104, 200, 200), MakeColor(104, 152, 200),
      MakeColor(136, 232, 136), MakeColor(168, 120, 200), MakeColor(232, 24, 152)};
  const TPalette palette = {kBlack, kWhite, MakeColor(255, 0, 0), MakeColor(0, 0, 255)};
  TFastColorLookup lookup(palette);
  TFloydSteinbergEngine engine(lookup, 4);
  const std::uint8_t expected[3][4] = {{2, 1, 0, 2}, {1, 1, 0, 1}, {3, 0, 1, 2}};
  for (int y = 0; y < 3; ++y) {
    std::uint8_t row[4];
    engine.DitherRow(&pixels[static_cast<std::size_t>(y * 4)], row);
    for (int x = 0; x < 4; ++x) EXPECT_EQ(row[x], expected[y][x]) << x << "," << y;
  }
}

TEST(ColorReduction, FloydSteinbergKeepsTheAverageWhereNearestColourCannot) {
  const TDIB grey = Picture24(64, 64, std::vector<TColor>(64 * 64, MakeColor(100, 100, 100)));
  const TPalette blackWhite = {kBlack, kWhite};
  TFastColorLookup lookup(blackWhite);
  TFloydSteinbergEngine dither(lookup, 64);
  TDitherEngine nearest(lookup, 64);
  std::vector<TColor> row(64, MakeColor(100, 100, 100));
  std::uint8_t dithered[64], plain[64];
  int white = 0;
  for (int y = 0; y < 64; ++y) {
    dither.DitherRow(row.data(), dithered);
    nearest.DitherRow(row.data(), plain);
    white += static_cast<int>(std::count(dithered, dithered + 64, 1));
    EXPECT_EQ(std::count(plain, plain + 64, 0), 64);
  }
  EXPECT_NEAR(white / (64.0 * 64.0), 100.0 / 255.0, 0.01);
}

TEST(ColorReduction, EachPaletteKindGivesAnEightBitPictureInThatPalette) {
  std::vector<TColor> colors;
  for (int i = 0; i < 16 * 8; ++i)
    colors.push_back(MakeColor(static_cast<std::uint8_t>(i % 8 * 32),
                               static_cast<std::uint8_t>(i / 8 * 16), 100));
  const TDIB source = Picture24(16, 8, colors);
  EXPECT_EQ(ReduceColors(source, TPaletteKind::SystemDefault, TDitherMode::Nearest).Palette(),
            SystemDefaultPalette());
  EXPECT_EQ(ReduceColors(source, TPaletteKind::WebSafe, TDitherMode::FloydSteinberg).Palette(),
            WebSafePalette());
  const TPalette custom(256, MakeColor(9, 9, 9));
  EXPECT_EQ(ReduceColors(source, TPaletteKind::Shared, TDitherMode::Nearest, custom).Palette(),
            custom);
  const TDIB optimal = ReduceColors(source, TPaletteKind::Optimal, TDitherMode::Nearest);
  EXPECT_EQ(optimal.Palette().size(), 128u);
  // Each colour here has a cell of its own, so the optimal palette shows every pixel exactly.
  const TDIBReader reader(optimal);
  int exact = 0;
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 16; ++x)
      exact += reader.Pixel(x, y) == colors[static_cast<std::size_t>(y * 16 + x)];
  EXPECT_EQ(exact, 128);
}

TEST(ColorReduction, ScreensOfEightBitsOrFewerGetDitheredPictures) {
  EXPECT_EQ(ClassifyScreenDepth(1, 1), 4);
  EXPECT_EQ(ClassifyScreenDepth(1, 4), 4);
  EXPECT_EQ(ClassifyScreenDepth(5, 1), 8);
  EXPECT_EQ(ClassifyScreenDepth(8, 1), 8);
  EXPECT_EQ(ClassifyScreenDepth(16, 1), 24);
  const TDIB source = Picture24(3, 2, {kWhite, kBlack, MakeColor(1, 2, 3), kWhite, kWhite, kBlack});
  const TPalette shared = BuildSharedPalette(StandardSystemPalette());
  EXPECT_TRUE(ConvertForScreen(source, 24, shared) == source);
  EXPECT_EQ(ConvertForScreen(source, 8, shared).Palette(), shared);
  EXPECT_EQ(ConvertForScreen(source, 4, shared).Palette(), SystemDefaultPalette());
  TDIB indexed(3, 2, 8);
  EXPECT_TRUE(ConvertForScreen(indexed, 8, shared) == indexed);
}

TEST(GraphicsErrors, ReportTheirTexts) {
  EXPECT_EQ(ErrorOf([] { ReduceColors(TDIB{}, TPaletteKind::WebSafe, TDitherMode::Nearest); }),
            "Bitmap image is not valid");
  EXPECT_EQ(ErrorOf([] { TDIB(4, 4, 16); }), "Invalid pixel format");
  EXPECT_EQ(ErrorOf([] { TDIB(0, 4, 8); }), "Bitmap image is not valid");
  EXPECT_EQ(ErrorOf([] { TDIB(100000, 100000, 8); }), "Bitmap image is not valid");
  EXPECT_EQ(ErrorOf([] { TDIB().ScanLine(0); }), "Image has no DIB");
  EXPECT_EQ(ErrorOf([] { TDIB(4, 4, 8).ScanLine(4); }), "Scan line index out of range");
  EXPECT_EQ(ErrorOf([] { TDIB(4, 4, 8).ScanLine(-1); }), "Scan line index out of range");
  EXPECT_EQ(ErrorOf([] { TDIB::FromRaster(pavina::pictures::TRaster()); }),
            "Failed to create DIB from Bitmap");
  EXPECT_EQ(ErrorOf([] {
              TDIB mask(4, 4, 1);
              TDIBWriter writer(mask);
            }),
            "Invalid pixel format");
}

TEST(Dib, FromRasterTurnsRedGreenBlueIntoTheBitmapOrder) {
  pavina::pictures::TRaster raster(2, 1);
  raster.WritePixel(0, 0, 10, 20, 30);
  raster.WritePixel(1, 0, 200, 100, 0);
  const TDIB dib = TDIB::FromRaster(raster);
  EXPECT_EQ(dib.Stride(), 8u);
  EXPECT_EQ(dib.Row(0)[0], 30);
  EXPECT_EQ(dib.Row(0)[2], 10);
  EXPECT_EQ(TDIBReader(dib).Pixel(1, 0), MakeColor(200, 100, 0));
}

}  // namespace

}  // namespace htmlview
