#include <gtest/gtest.h>

#include "images/ImageFormat.h"
#include "images/ImageSizing.h"

namespace htmlview {

namespace {

TEST(ImageSizing, PercentWidthTakesTheLineAndKeepsTheNaturalHeight) {
  const TImageSize natural{80, 60};
  EXPECT_EQ(ImageDrawSize({50, true, 0}, natural, 400), (TImageSize{200, 60}));
  EXPECT_EQ(ImageDrawSize({50, true, 33}, natural, 400), (TImageSize{200, 33}));
  EXPECT_EQ(ImageDrawSize({100, true, 0}, natural, 0), (TImageSize{0, 60}));
}

TEST(ImageSizing, OneGivenSideScalesTheOtherBothAreUsedNeitherIsNatural) {
  const TImageSize natural{80, 60};
  EXPECT_EQ(ImageDrawSize({0, false, 0}, natural, 400), natural);
  EXPECT_EQ(ImageDrawSize({40, false, 0}, natural, 400), (TImageSize{40, 30}));
  EXPECT_EQ(ImageDrawSize({0, false, 90}, natural, 400), (TImageSize{120, 90}));
  EXPECT_EQ(ImageDrawSize({30, false, 7}, natural, 400), (TImageSize{30, 7}));
  EXPECT_EQ(ImageDrawSize({10, false, 0}, {3, 2}, 400), (TImageSize{10, 7})) << "rounded";
  EXPECT_EQ(ImageDrawSize({10, false, 0}, {0, 0}, 400), (TImageSize{10, 0})) << "no division by 0";
}

TEST(ImageSizing, TheAltBoxHoldsThePictureAndTheText) {
  const TImageSize text{57, 14};
  const TImageSize box = PlaceholderBoxSize({}, 400, text);
  EXPECT_GE(box.Width, text.Width + 26);
  EXPECT_GE(box.Height, 24);
  EXPECT_EQ(PlaceholderBoxSize({}, 400, {0, 30}).Height, 30);
  EXPECT_EQ(PlaceholderBoxSize({10, false, 0}, 400, text), box) << "one side alone is not used";
  EXPECT_EQ(PlaceholderBoxSize({300, false, 0}, 400, text).Width, 300);
  EXPECT_EQ(PlaceholderBoxSize({10, false, 12}, 400, text), (TImageSize{10, 12}));
  EXPECT_EQ(PlaceholderBoxSize({25, true, 12}, 400, text), (TImageSize{100, 12}));
}

TEST(ImageFormat, IsToldByTheFirstBytes) {
  const auto format = [](std::initializer_list<std::uint8_t> bytes) {
    const std::vector<std::uint8_t> data(bytes);
    return RecognizeImageFormat(data.data(), data.size());
  };
  EXPECT_EQ(format({'G', 'I', 'F', '8', '9', 'a'}), TImageFormat::Gif89a);
  EXPECT_EQ(format({'G', 'I', 'F', '8', '7', 'a'}), TImageFormat::Gif87a);
  EXPECT_EQ(format({'G', 'I', 'F', '8'}), TImageFormat::Gif87a);
  EXPECT_EQ(format({'G', 'I', 'F', '7'}), TImageFormat::Unknown);
  EXPECT_EQ(format({'B', 'M'}), TImageFormat::Bitmap);
  EXPECT_EQ(format({'B'}), TImageFormat::Unknown);
  EXPECT_EQ(format({137, 'P', 'N', 'G', 13, 10}), TImageFormat::Png);
  EXPECT_EQ(format({0xFF, 0xD8, 0xFF, 0xE0, 0, 16}), TImageFormat::Jpeg);
  EXPECT_EQ(format({0xFF, 0xD8, 0xFF, 0xE1}), TImageFormat::Unknown) << "only JFIF is listed";
  EXPECT_EQ(format({}), TImageFormat::Unknown);
  EXPECT_TRUE(IsGif(TImageFormat::Gif87a));
  EXPECT_FALSE(IsGif(TImageFormat::Png));
}

}  // namespace

}  // namespace htmlview
