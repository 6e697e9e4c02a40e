#include "GifBuilder.h"

#include <algorithm>

namespace htmlview {

namespace {

class TBitWriter {
 public:
  void Put(int code, int width) {
    buffer_ |= static_cast<std::uint32_t>(code) << count_;
    count_ += width;
    while (count_ >= 8) {
      bytes_.push_back(static_cast<std::uint8_t>(buffer_));
      buffer_ >>= 8;
      count_ -= 8;
    }
  }
  TBytes8 Finish() {
    if (count_ > 0) bytes_.push_back(static_cast<std::uint8_t>(buffer_));
    return bytes_;
  }

 private:
  TBytes8 bytes_;
  std::uint32_t buffer_ = 0;
  int count_ = 0;
};

void Word(TBytes8& data, int value) {
  data.push_back(static_cast<std::uint8_t>(value));
  data.push_back(static_cast<std::uint8_t>(value >> 8));
}

int BitsFor(std::size_t entries) {
  int bits = 1;
  while ((std::size_t{1} << bits) < entries) ++bits;
  return bits;
}

void Palette(TBytes8& data, const TRgbList& palette, int bits) {
  for (std::size_t i = 0; i < (std::size_t{1} << bits); ++i) {
    const std::uint32_t color = i < palette.size() ? palette[i] : 0;
    data.push_back(static_cast<std::uint8_t>(color));
    data.push_back(static_cast<std::uint8_t>(color >> 8));
    data.push_back(static_cast<std::uint8_t>(color >> 16));
  }
}

}  // namespace

TBytes8 LzwEncode(const TBytes8& pixels, int minCodeSize, TLzwOptions options) {
  const int clear = 1 << minCodeSize;
  const int end = clear + 1;
  int width = minCodeSize + 1;
  int next = clear + 2;
  // The code of prefix + pixel, -1 for none: a flat table keeps large pictures quick.
  std::vector<std::int16_t> table(4096 * 256, -1);
  TBitWriter writer;
  if (options.initialClear) writer.Put(clear, width);
  if (pixels.empty()) {
    writer.Put(end, width);
    return writer.Finish();
  }
  int prefix = pixels[0];
  for (std::size_t i = 1; i < pixels.size(); ++i) {
    const std::size_t key = static_cast<std::size_t>(prefix) << 8 | pixels[i];
    if (table[key] >= 0) {
      prefix = table[key];
      continue;
    }
    writer.Put(prefix, width);
    // The decoder adds its entry one code later, so the width grows when the table the
    // decoder will have reaches the next power of two.
    if (next >= (1 << width) && width < 12) ++width;
    if (next < 4096) {
      table[key] = static_cast<std::int16_t>(next++);
    } else if (options.clearWhenFull) {
      writer.Put(clear, width);
      std::fill(table.begin(), table.end(), -1);
      width = minCodeSize + 1;
      next = clear + 2;
    }
    prefix = pixels[i];
  }
  writer.Put(prefix, width);
  if (next >= (1 << width) && width < 12) ++width;
  writer.Put(end, width);
  return writer.Finish();
}

TBytes8 PackCodes(const std::vector<std::pair<int, int>>& codes) {
  TBitWriter writer;
  for (const auto& [code, width] : codes) writer.Put(code, width);
  return writer.Finish();
}

TBytes8 SubBlocks(const TBytes8& data) {
  TBytes8 blocks;
  for (std::size_t at = 0; at < data.size(); at += 255) {
    const std::size_t length = std::min<std::size_t>(255, data.size() - at);
    blocks.push_back(static_cast<std::uint8_t>(length));
    blocks.insert(blocks.end(), data.begin() + static_cast<std::ptrdiff_t>(at),
                  data.begin() + static_cast<std::ptrdiff_t>(at + length));
  }
  blocks.push_back(0);
  return blocks;
}

TGifBuilder::TGifBuilder(int width, int height, const TRgbList& globalPalette,
                         const char* version) {
  data_ = {'G',
           'I',
           'F',
           static_cast<std::uint8_t>(version[0]),
           static_cast<std::uint8_t>(version[1]),
           static_cast<std::uint8_t>(version[2])};
  Word(data_, width);
  Word(data_, height);
  if (globalPalette.empty()) {
    data_.insert(data_.end(), {0x70, 0, 0});
  } else {
    globalBits_ = BitsFor(globalPalette.size());
    data_.insert(data_.end(), {static_cast<std::uint8_t>(0xF0 | (globalBits_ - 1)), 0, 0});
    Palette(data_, globalPalette, globalBits_);
  }
}

TGifBuilder& TGifBuilder::Loop(int count) {
  const std::string id = "NETSCAPE2.0";
  data_.insert(data_.end(), {'!', 0xFF, 11});
  data_.insert(data_.end(), id.begin(), id.end());
  data_.insert(data_.end(), {3, 1});
  Word(data_, count);
  data_.push_back(0);
  return *this;
}

TGifBuilder& TGifBuilder::Comment(const std::string& text) {
  data_.insert(data_.end(), {'!', 0xFE});
  const TBytes8 blocks = SubBlocks(TBytes8(text.begin(), text.end()));
  data_.insert(data_.end(), blocks.begin(), blocks.end());
  return *this;
}

TGifBuilder& TGifBuilder::PlainText() {
  data_.insert(data_.end(), {'!', 0x01, 12});
  data_.insert(data_.end(), 12, 0);
  const TBytes8 blocks = SubBlocks(TBytes8{'h', 'e', 'l', 'l', 'o'});
  data_.insert(data_.end(), blocks.begin(), blocks.end());
  return *this;
}

TGifBuilder& TGifBuilder::Control(int disposal, int delayCentiseconds,
                                  std::optional<int> transparentIndex) {
  data_.insert(data_.end(), {'!', 0xF9, 4});
  data_.push_back(static_cast<std::uint8_t>((disposal & 7) << 2 | (transparentIndex ? 1 : 0)));
  Word(data_, delayCentiseconds);
  data_.push_back(static_cast<std::uint8_t>(transparentIndex.value_or(0)));
  data_.push_back(0);
  return *this;
}

TGifBuilder& TGifBuilder::Frame(int left, int top, int width, int height, const TBytes8& pixels,
                                const TRgbList& localPalette, bool interlaced, int minCodeSize) {
  int bits = globalBits_;
  std::uint8_t flags = interlaced ? 0x40 : 0;
  if (!localPalette.empty()) {
    bits = BitsFor(localPalette.size());
    flags = static_cast<std::uint8_t>(flags | 0x80 | (bits - 1));
  }
  Descriptor(left, top, width, height, flags);
  if (!localPalette.empty()) Palette(data_, localPalette, bits);
  if (minCodeSize == 0) minCodeSize = bits < 2 ? 2 : bits;
  const TBytes8 stream = interlaced ? InterlaceRows(pixels, width, height) : pixels;
  Raster(minCodeSize, LzwEncode(stream, minCodeSize));
  return *this;
}

TGifBuilder& TGifBuilder::RawFrame(int left, int top, int width, int height, int minCodeSize,
                                   const TBytes8& codes) {
  Descriptor(left, top, width, height, 0);
  Raster(minCodeSize, codes);
  return *this;
}

void TGifBuilder::Descriptor(int left, int top, int width, int height, std::uint8_t flags) {
  data_.push_back(',');
  Word(data_, left);
  Word(data_, top);
  Word(data_, width);
  Word(data_, height);
  data_.push_back(flags);
}

void TGifBuilder::Raster(int minCodeSize, const TBytes8& codes) {
  data_.push_back(static_cast<std::uint8_t>(minCodeSize));
  const TBytes8 blocks = SubBlocks(codes);
  data_.insert(data_.end(), blocks.begin(), blocks.end());
}

TGifBuilder& TGifBuilder::Raw(const TBytes8& bytes) {
  data_.insert(data_.end(), bytes.begin(), bytes.end());
  return *this;
}

TBytes8 TGifBuilder::Bytes() const {
  TBytes8 file = data_;
  file.push_back(';');
  return file;
}

TBytes8 InterlaceRows(const TBytes8& pixels, int width, int height) {
  TBytes8 out;
  static constexpr int kFirst[] = {0, 4, 2, 1};
  static constexpr int kStep[] = {8, 8, 4, 2};
  for (int pass = 0; pass < 4; ++pass)
    for (int y = kFirst[pass]; y < height; y += kStep[pass])
      out.insert(out.end(), pixels.begin() + y * width, pixels.begin() + (y + 1) * width);
  return out;
}

}  // namespace htmlview
