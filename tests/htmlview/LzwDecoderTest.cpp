#include <gtest/gtest.h>

#include <cstring>
#include <random>

#include "GifBuilder.h"
#include "images/LzwDecoder.h"

namespace htmlview {

namespace {

TBytes8 RandomPixels(std::size_t count, int bits, unsigned seed, int runLength = 1) {
  std::mt19937 random(seed);
  TBytes8 pixels;
  while (pixels.size() < count) {
    const auto value = static_cast<std::uint8_t>(random() & ((1u << bits) - 1));
    const std::size_t run = 1 + random() % static_cast<unsigned>(runLength);
    for (std::size_t i = 0; i < run && pixels.size() < count; ++i) pixels.push_back(value);
  }
  return pixels;
}

bool DecodesTo(TLzwDecoder& decoder, const TBytes8& codes, int minCodeSize, const TBytes8& pixels) {
  if (!decoder.Decode(codes.data(), codes.size(), minCodeSize, pixels.size())) return false;
  return std::memcmp(decoder.Pixels(), pixels.data(), pixels.size()) == 0;
}

TEST(LzwDecoder, RoundTripsEveryCodeSizeThroughFullTablesClearsAndLongStrings) {
  TLzwDecoder decoder;
  for (int bits = 1; bits <= 8; ++bits) {
    SCOPED_TRACE("code size " + std::to_string(bits));
    // Noise fills the table many times over; runs make long strings and the code that
    // names the entry being built.
    const TBytes8 noise = RandomPixels(50000, bits, 1u + static_cast<unsigned>(bits));
    const TBytes8 runs = RandomPixels(50000, bits, 7u, 300);
    const TBytes8 flat(70000, static_cast<std::uint8_t>((1u << bits) - 1));
    for (const TBytes8* pixels : {&noise, &runs, &flat}) {
      EXPECT_TRUE(DecodesTo(decoder, LzwEncode(*pixels, bits), bits, *pixels));
      EXPECT_TRUE(DecodesTo(decoder, LzwEncode(*pixels, bits, {false, true}), bits, *pixels))
          << "table kept full without a clear";
      EXPECT_TRUE(DecodesTo(decoder, LzwEncode(*pixels, bits, {true, false}), bits, *pixels))
          << "no clear code first";
    }
  }
  const TBytes8 one{3};
  EXPECT_TRUE(DecodesTo(decoder, LzwEncode(one, 2), 2, one));
}

TEST(LzwDecoder, StopsAtTheLastPixelAndIgnoresWhatFollows) {
  TLzwDecoder decoder;
  const TBytes8 pixels = RandomPixels(1000, 4, 3);
  const TBytes8 codes = LzwEncode(pixels, 4);
  ASSERT_TRUE(decoder.Decode(codes.data(), codes.size(), 4, 600));
  EXPECT_EQ(std::memcmp(decoder.Pixels(), pixels.data(), 600), 0);
}

TEST(LzwDecoder, RefusesDamagedStreams) {
  TLzwDecoder decoder;
  const TBytes8 pixels = RandomPixels(3000, 5, 9, 4);
  const TBytes8 codes = LzwEncode(pixels, 5);
  for (int size : {0, 9, 12, 255})
    EXPECT_FALSE(decoder.Decode(codes.data(), codes.size(), size, pixels.size()))
        << "minimum code size " << size;

  // Cut anywhere, the stream either fails or, when only its end code went, is still right.
  int failures = 0;
  for (std::size_t length = 0; length < codes.size(); ++length) {
    if (decoder.Decode(codes.data(), length, 5, pixels.size()))
      EXPECT_EQ(std::memcmp(decoder.Pixels(), pixels.data(), pixels.size()), 0) << length;
    else
      ++failures;
  }
  EXPECT_GE(failures, static_cast<int>(codes.size()) - 2);

  // Code size 2: clear 4, end 5, first free code 6.
  const auto decodes = [&](const std::vector<std::pair<int, int>>& stream, std::size_t count) {
    const TBytes8 bytes = PackCodes(stream);
    return decoder.Decode(bytes.data(), bytes.size(), 2, count);
  };
  EXPECT_TRUE(decodes({{4, 3}, {1, 3}, {1, 3}, {6, 3}, {5, 4}}, 4));  // 1, 1, then 6 = 1 1
  EXPECT_FALSE(decodes({{4, 3}, {1, 3}, {7, 3}, {5, 3}}, 3));         // 7 is not defined yet
  EXPECT_FALSE(decodes({{4, 3}, {6, 3}, {5, 3}}, 2));                 // a table code after a clear
  EXPECT_FALSE(decodes({{4, 3}, {1, 3}, {5, 3}}, 4));          // the end before the last pixel
  EXPECT_FALSE(decodes({{4, 3}, {1, 3}, {4, 3}, {6, 3}}, 4));  // the clear empties the table
}

}  // namespace

}  // namespace htmlview
