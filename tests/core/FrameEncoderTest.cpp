#include "PictureFixture.h"

namespace pavina::core {

namespace {

class FrameEncoder : public PictureFixture {
 protected:
  // The key value (byte 0's upper six bits, widened back) of every pixel of row y.
  std::vector<int> KeyRow(std::int32_t y) {
    std::vector<int> keys;
    const std::size_t width = static_cast<std::size_t>(core.FMaxX) + 1;
    for (std::size_t x = 0; x < width; ++x) keys.push_back(core.FFrame[(y * width + x) * 4] >> 2);
    return keys;
  }
  // A key whose green component of column x is 4 * (x + 1) + 4 * row: each 6-bit key
  // value tells its column; red and blue carry noise that must not count.
  static pictures::TRaster NumberedKey(std::int32_t width, std::int32_t height) {
    pictures::TRaster key(width, height);
    for (std::int32_t y = 0; y < height; ++y)
      for (std::int32_t x = 0; x < width; ++x) key.WritePixel(x, y, 0xA5, 4 * (x + 1 + y), 0x5A);
    return key;
  }
};

TEST_F(FrameEncoder, WorkedExamplesEncodeByteForByte) {
  struct Example {
    std::uint32_t color;  // red | green << 8 | blue << 16
    std::uint8_t key;
    std::array<std::uint8_t, 4> bytes;
  };
  const Example examples[] = {
      {0x0080FF, 255, {0xFF, 0xF8, 0x00, 0x00}}, {0x3264C8, 128, {0x83, 0x26, 0x00, 0x4C}},
      {0xFFFFFF, 255, {0xFF, 0xFF, 0x00, 0xFF}}, {0x0000FF, 0, {0x03, 0xF0, 0x00, 0x00}},
      {0x00FF00, 0, {0x00, 0x0F, 0x00, 0xC0}},   {0xFF0000, 0, {0x00, 0x00, 0x00, 0x3F}},
      {0x030303, 3, {0x00, 0x00, 0x00, 0x00}},
  };
  pictures::TRaster image(7, 1), key(7, 1);
  TBytes expected;
  for (int x = 0; x < 7; ++x) {
    const Example& e = examples[x];
    image.WritePixel(x, 0, e.color & 0xFF, (e.color >> 8) & 0xFF, e.color >> 16);
    key.WritePixel(x, 0, 255 - e.key, e.key, 255 - e.key);  // red and blue do not count
    expected.insert(expected.end(), e.bytes.begin(), e.bytes.end());
  }
  LoadImage(image);
  LoadKey(key);
  view.keyOffset = 0;
  core.EncodeFrame();
  EXPECT_EQ(core.FFrame, expected);
}

TEST_F(FrameEncoder, TwoLowBitsAreDroppedAndByteTwoIsAlwaysZero) {
  pictures::TRaster image(256, 2), key(256, 2);
  for (int x = 0; x < 256; ++x) {
    const int low = x % 4, high = 252 + x % 4;
    image.WritePixel(x, 0, low, low, low);
    key.WritePixel(x, 0, 255, low, 255);
    image.WritePixel(x, 1, high, high, high);
    key.WritePixel(x, 1, 0, high, 0);
  }
  LoadImage(image);
  LoadKey(key);
  view.keyOffset = 0;
  core.EncodeFrame();
  ASSERT_EQ(core.FFrame.size(), 256u * 2 * 4);
  for (std::size_t x = 0; x < 256; ++x) {
    EXPECT_EQ(TBytes(core.FFrame.begin() + x * 4, core.FFrame.begin() + x * 4 + 4), TBytes(4, 0))
        << "components 0-3, pixel " << x;
    EXPECT_EQ(TBytes(core.FFrame.begin() + (256 + x) * 4, core.FFrame.begin() + (256 + x) * 4 + 4),
              (TBytes{0xFF, 0xFF, 0x00, 0xFF}))
        << "components 252-255, pixel " << x;
  }

  // Any colours at all: byte 2 stays 0.
  pictures::TRaster noise(50, 3);
  std::uint32_t state = 12345;
  for (std::int32_t y = 0; y < 3; ++y)
    for (std::int32_t x = 0; x < 50; ++x, state = state * 1103515245 + 12345)
      noise.WritePixel(x, y, state >> 8, state >> 16, state >> 24);
  LoadImage(noise);
  core.EncodeFrame();
  for (std::size_t i = 2; i < core.FFrame.size(); i += 4) ASSERT_EQ(core.FFrame[i], 0) << i;
}

TEST_F(FrameEncoder, TheKeyIsDelayedByTheOffsetWithinEachRow) {
  LoadImage(Filled(8, 2, 0x808080));
  LoadKey(NumberedKey(8, 2));
  view.keyOffset = 0;
  core.EncodeFrame();
  EXPECT_EQ(KeyRow(0), (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8}));
  EXPECT_EQ(KeyRow(1), (std::vector<int>{2, 3, 4, 5, 6, 7, 8, 9}));
  view.keyOffset = 5;
  core.EncodeFrame();
  EXPECT_EQ(KeyRow(0), (std::vector<int>{0, 0, 0, 0, 0, 1, 2, 3}));
  EXPECT_EQ(KeyRow(1), (std::vector<int>{0, 0, 0, 0, 0, 2, 3, 4}));  // nothing carried over
  view.keyOffset = 10;
  core.EncodeFrame();
  EXPECT_EQ(KeyRow(0), std::vector<int>(8, 0));
  EXPECT_EQ(KeyRow(1), std::vector<int>(8, 0));
}

// A negative offset moves the key the other way; stores never leave the line.
TEST_F(FrameEncoder, ANegativeOffsetMovesTheKeyTheOtherWay) {
  LoadImage(Filled(8, 1, 0x808080));
  LoadKey(NumberedKey(12, 1));  // wider than the image: its extra columns are not used
  view.keyOffset = -3;
  core.EncodeFrame();
  EXPECT_EQ(KeyRow(0), (std::vector<int>{4, 5, 6, 7, 8, 0, 0, 0}));
  view.keyOffset = -10;
  core.EncodeFrame();
  EXPECT_EQ(KeyRow(0), std::vector<int>(8, 0));
}

TEST_F(FrameEncoder, TheKeyCoversOnlyTheImageAndOutsideItIsWhite) {
  LoadImage(Filled(6, 3, 0x000000));
  LoadKey(NumberedKey(4, 2));
  view.keyOffset = 1;
  core.EncodeFrame();
  EXPECT_EQ(KeyRow(0), (std::vector<int>{0, 1, 2, 3, 4, 63}));
  EXPECT_EQ(KeyRow(2), (std::vector<int>{0, 63, 63, 63, 63, 63}));

  LoadKey(NumberedKey(20, 10));
  core.EncodeFrame();
  EXPECT_EQ(core.FFrame.size(), 6u * 3 * 4);
  EXPECT_EQ(KeyRow(2), (std::vector<int>{0, 3, 4, 5, 6, 7}));
}

// Rows wider than the 1001-entry line get a line of their own width: the key keeps its
// delay to the row's end.
TEST_F(FrameEncoder, RowsWiderThanTheDelayLineKeepTheirDelay) {
  pictures::TRaster key(1200, 1);
  for (std::int32_t x = 0; x < 1200; ++x) key.WritePixel(x, 0, 0, x % 2 == 0 ? 0 : 255, 0);
  LoadImage(Filled(1200, 1, 0xFFFFFF));
  LoadKey(key);
  view.keyOffset = 10;
  core.EncodeFrame();
  const std::vector<int> keys = KeyRow(0);
  for (std::int32_t x = 0; x < 1200; ++x) ASSERT_EQ(keys[x], x < 10 || x % 2 == 0 ? 0 : 63) << x;
}

TEST_F(FrameEncoder, TheFrameIsSizedByTheImageWithProgressAndEventsOnceARow) {
  LoadImage(Filled(100, 50, 0x112233));
  core.EncodeFrame();
  EXPECT_EQ(core.FFrame.size(), 20000u);
  std::vector<std::int32_t> rows(50);
  for (int y = 0; y < 50; ++y) rows[y] = y;
  EXPECT_EQ(view.progressPositions, rows);
  EXPECT_EQ(view.eventsProcessed, 50);

  LoadImage(Filled(1, 1, 0x112233));
  core.EncodeFrame();
  EXPECT_EQ(core.FFrame.size(), 4u);
}

// A JPEG image encodes from its decoded pixels exactly as a bitmap of those pixels.
TEST_F(FrameEncoder, AJpegEncodesAsABitmapOfItsDecodedPixels) {
  const std::string jpeg = folder.File("photo.jpg");
  pictures::WriteFileBytes(jpeg, pictures::ReadFileBytes(pictures::SamplePicture("testorig.jpg")));
  LoadImageFile(jpeg);
  ASSERT_TRUE(core.FImageLoaded);
  const pictures::TRaster decoded = core.Image();
  core.btAutoKeyClick();
  core.EncodeFrame();
  const TBytes fromJpeg = core.FFrame;

  LoadImageFile(WriteBitmap(decoded, "photo.bmp"));
  ASSERT_TRUE(core.Image() == decoded);
  core.btAutoKeyClick();
  core.EncodeFrame();
  EXPECT_EQ(core.FFrame, fromJpeg);
}

}  // namespace

}  // namespace pavina::core
