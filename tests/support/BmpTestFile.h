#pragma once

#include <array>
#include <cstdint>
#include <vector>

namespace pavina::pictures {

// Writes Windows bitmap files of every kind the reader accepts, for tests: any header,
// bit depth and compression, bottom-up or top-down, from pixel values given top row first.
struct TBmpTestFile {
  using TRgb = std::array<std::uint8_t, 3>;
  static constexpr std::uint32_t kCoreHeader = 12, kInfoHeader = 40, kV4Header = 108,
                                 kV5Header = 124;
  static constexpr std::uint32_t kRgb = 0, kRle8 = 1, kRle4 = 2, kBitfields = 3;

  std::int32_t width = 0;
  std::int32_t height = 0;
  std::uint16_t bits = 24;
  std::uint32_t compression = kRgb;
  std::uint32_t header = kInfoHeader;
  bool topDown = false;
  std::vector<TRgb> palette;
  std::array<std::uint32_t, 3> masks{};  // red, green, blue, for kBitfields
  // Table indexes (1-8 bits), pixel words (16, 32 bits) or red | green << 8 | blue << 16
  // (24 bits), width * height of them, top row first.
  std::vector<std::uint32_t> pixels;

  std::vector<std::uint8_t> Write() const {
    const std::vector<std::uint8_t> data =
        compression == kRle8 || compression == kRle4 ? RunLengthData() : PlainData();
    const bool core = header == kCoreHeader;
    const std::uint32_t maskBytes = header == kInfoHeader && compression == kBitfields ? 12 : 0;
    const std::uint32_t tableBytes = static_cast<std::uint32_t>(palette.size()) * (core ? 3 : 4);
    const std::uint32_t offset = 14 + header + maskBytes + tableBytes;

    std::vector<std::uint8_t> out;
    Put16(out, 0x4D42);  // "BM"
    Put32(out, offset + static_cast<std::uint32_t>(data.size()));
    Put32(out, 0);
    Put32(out, offset);
    Put32(out, header);
    if (core) {
      Put16(out, static_cast<std::uint16_t>(width));
      Put16(out, static_cast<std::uint16_t>(height));
      Put16(out, 1);
      Put16(out, bits);
    } else {
      Put32(out, static_cast<std::uint32_t>(width));
      Put32(out, static_cast<std::uint32_t>(topDown ? -height : height));
      Put16(out, 1);
      Put16(out, bits);
      Put32(out, compression);
      Put32(out, static_cast<std::uint32_t>(data.size()));
      Put32(out, 2835);
      Put32(out, 2835);
      Put32(out, static_cast<std::uint32_t>(palette.size()));
      Put32(out, 0);
      for (std::uint32_t mask : masks)
        if (header > kInfoHeader || maskBytes > 0) Put32(out, mask);
      while (out.size() < offset - tableBytes) out.push_back(0);  // later header fields
    }
    for (const TRgb& c : palette) {
      out.insert(out.end(), {c[2], c[1], c[0]});
      if (!core) out.push_back(0);
    }
    out.insert(out.end(), data.begin(), data.end());
    return out;
  }

  static void Put16(std::vector<std::uint8_t>& out, std::uint32_t v) {
    out.insert(out.end(), {static_cast<std::uint8_t>(v), static_cast<std::uint8_t>(v >> 8)});
  }
  static void Put32(std::vector<std::uint8_t>& out, std::uint32_t v) {
    Put16(out, v & 0xFFFF);
    Put16(out, v >> 16);
  }

 private:
  std::uint32_t Pixel(std::int32_t x, std::int32_t fileRow) const {
    const std::int32_t y = topDown ? fileRow : height - 1 - fileRow;
    return pixels[static_cast<std::size_t>(y) * width + x];
  }

  std::vector<std::uint8_t> PlainData() const {
    const std::size_t stride = (static_cast<std::size_t>(width) * bits + 31) / 32 * 4;
    std::vector<std::uint8_t> data(stride * height, 0);
    for (std::int32_t row = 0; row < height; ++row) {
      std::uint8_t* line = &data[stride * row];
      for (std::int32_t x = 0; x < width; ++x) {
        const std::uint32_t v = Pixel(x, row);
        if (bits <= 8) {
          const int perByte = 8 / bits;
          line[x / perByte] |= static_cast<std::uint8_t>(v << (8 - bits - (x % perByte) * bits));
        } else {
          for (int i = 0; i < bits / 8; ++i) {
            // 24-bit files hold blue, green, red: the colour's bytes reversed.
            const int shift = bits == 24 ? 16 - 8 * i : 8 * i;
            line[static_cast<std::size_t>(x) * (bits / 8) + i] =
                static_cast<std::uint8_t>(v >> shift);
          }
        }
      }
    }
    return data;
  }

  // Runs of equal indexes become encoded runs; stretches without repeats of 3 or more
  // pixels become literal runs. Every line ends with an end-of-line mark.
  std::vector<std::uint8_t> RunLengthData() const {
    const bool four = compression == kRle4;
    std::vector<std::uint8_t> data;
    for (std::int32_t row = 0; row < height; ++row) {
      std::int32_t x = 0;
      while (x < width) {
        std::int32_t run = 1;
        while (x + run < width && run < 255 && Pixel(x + run, row) == Pixel(x, row)) ++run;
        std::int32_t literal = 0;
        while (x + literal < width && literal < 254 &&
               (x + literal + 1 == width || Pixel(x + literal, row) != Pixel(x + literal + 1, row)))
          ++literal;
        if (run == 1 && literal >= 3) {
          data.insert(data.end(), {0, static_cast<std::uint8_t>(literal)});
          const std::size_t start = data.size();
          for (std::int32_t i = 0; i < literal; ++i) {
            const std::uint32_t v = Pixel(x + i, row);
            if (!four)
              data.push_back(static_cast<std::uint8_t>(v));
            else if (i % 2 == 0)
              data.push_back(static_cast<std::uint8_t>(v << 4));
            else
              data.back() |= static_cast<std::uint8_t>(v);
          }
          if ((data.size() - start) % 2 != 0) data.push_back(0);
          x += literal;
        } else {
          const std::uint32_t v = Pixel(x, row);
          data.insert(data.end(), {static_cast<std::uint8_t>(run),
                                   static_cast<std::uint8_t>(four ? v << 4 | v : v)});
          x += run;
        }
      }
      data.insert(data.end(), {0, 0});
    }
    data.insert(data.end(), {0, 1});
    return data;
  }
};

}  // namespace pavina::pictures
