#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace htmlview {

// Writes GIF files for tests, block by block, with a plain LZW encoder of its own.
using TBytes8 = std::vector<std::uint8_t>;
using TRgbList = std::vector<std::uint32_t>;  // colours as 0xBBGGRR

struct TLzwOptions {
  bool clearWhenFull = true;  // false: keep 12-bit codes once the table is full
  bool initialClear = true;
};

// The LZW code stream of `pixels` (not yet cut into sub-blocks).
TBytes8 LzwEncode(const TBytes8& pixels, int minCodeSize, TLzwOptions options = {});
// Codes packed as a GIF packs them, each {code, width in bits}, least significant first.
TBytes8 PackCodes(const std::vector<std::pair<int, int>>& codes);
// Sub-blocks of at most 255 bytes and the terminator.
TBytes8 SubBlocks(const TBytes8& data);

class TGifBuilder {
 public:
  TGifBuilder(int width, int height, const TRgbList& globalPalette = {},
              const char* version = "89a");

  TGifBuilder& Loop(int count);
  TGifBuilder& Comment(const std::string& text);
  TGifBuilder& PlainText();
  TGifBuilder& Control(int disposal, int delayCentiseconds,
                       std::optional<int> transparentIndex = {});
  // A frame; its pixel count must be width * height. An empty local palette uses the
  // global one; minCodeSize 0 picks the smallest that fits the palette.
  TGifBuilder& Frame(int left, int top, int width, int height, const TBytes8& pixels,
                     const TRgbList& localPalette = {}, bool interlaced = false,
                     int minCodeSize = 0);
  // A frame descriptor followed by a code stream given as it is.
  TGifBuilder& RawFrame(int left, int top, int width, int height, int minCodeSize,
                        const TBytes8& codes);
  TGifBuilder& Raw(const TBytes8& bytes);

  // The file so far, with the trailer.
  TBytes8 Bytes() const;

 private:
  void Descriptor(int left, int top, int width, int height, std::uint8_t flags);
  void Raster(int minCodeSize, const TBytes8& codes);

  TBytes8 data_;
  int globalBits_ = 0;
};

// Rows reordered the way an interlaced GIF sends them.
TBytes8 InterlaceRows(const TBytes8& pixels, int width, int height);

}  // namespace htmlview
