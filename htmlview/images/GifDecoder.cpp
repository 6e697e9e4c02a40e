#include "GifDecoder.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "DibAccess.h"
#include "GraphicsError.h"
#include "LzwDecoder.h"

namespace {

constexpr std::uint8_t kExtensionIntroducer = '!';
constexpr std::uint8_t kImageSeparator = ',';
constexpr std::uint8_t kTrailer = ';';
constexpr std::uint8_t kPlainTextLabel = 1;
constexpr std::uint8_t kGraphicControlLabel = 249;
constexpr std::uint8_t kCommentLabel = 254;
constexpr std::uint8_t kApplicationLabel = 255;

// Reads the file front to back and never past its end.
class TByteCursor {
 public:
  TByteCursor(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

  bool Has(std::size_t count) const { return size_ - pos_ >= count; }
  std::uint8_t Byte() { return data_[pos_++]; }
  std::uint16_t Word() {
    const std::uint16_t value = static_cast<std::uint16_t>(data_[pos_] | data_[pos_ + 1] << 8);
    pos_ += 2;
    return value;
  }
  const std::uint8_t* Take(std::size_t count) {
    const std::uint8_t* at = data_ + pos_;
    pos_ += count;
    return at;
  }

  // Reads data sub-blocks up to their terminator, appending their bytes to `into` (or
  // dropping them). Returns false when the file ends first.
  template <typename Container>
  bool SubBlocks(Container* into) {
    while (Has(1)) {
      const std::uint8_t length = Byte();
      if (length == 0) return true;
      if (!Has(length)) {
        if (into) into->insert(into->end(), data_ + pos_, data_ + size_);
        pos_ = size_;
        return false;
      }
      const std::uint8_t* block = Take(length);
      if (into) into->insert(into->end(), block, block + length);
    }
    return false;
  }

 private:
  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t pos_ = 0;
};

TPalette ReadPalette(TByteCursor& cursor, std::uint8_t flags) {
  const std::size_t entries = std::size_t{2} << (flags & 7);
  TPalette palette(256, kBlack);
  const std::uint8_t* rgb = cursor.Take(entries * 3);
  for (std::size_t i = 0; i < entries; ++i, rgb += 3)
    palette[i] = MakeColor(rgb[0], rgb[1], rgb[2]);
  return palette;
}

std::size_t PaletteBytes(std::uint8_t flags) {
  return (flags & 0x80) ? (std::size_t{2} << (flags & 7)) * 3 : 0;
}

// The graphic control extension that applies to the next frame.
struct TGraphicControl {
  bool present = false;
  std::uint8_t flags = 0;
  std::uint16_t delay = 0;
  std::uint8_t transparentIndex = 0;
};

TGifDisposal DisposalOf(std::uint8_t flags) {
  switch ((flags >> 2) & 7) {
    case 0:
      return TGifDisposal::None;
    case 1:
      return TGifDisposal::Leave;
    case 3:
      return TGifDisposal::Previous;
    default:
      return TGifDisposal::Background;
  }
}

// The stream order of rows: an interlaced frame sends every 8th row from 0, every 8th from
// 4, every 4th from 2, then every 2nd from 1.
void PlaceRows(const std::uint8_t* pixels, bool interlaced, TDIB& picture) {
  const std::int32_t width = picture.Width();
  const std::int32_t height = picture.Height();
  if (!interlaced) {
    for (std::int32_t y = 0; y < height; ++y)
      std::memcpy(picture.Row(y), pixels + static_cast<std::size_t>(y) * width, width);
    return;
  }
  static constexpr std::int32_t kFirst[] = {0, 4, 2, 1};
  static constexpr std::int32_t kStep[] = {8, 8, 4, 2};
  for (int pass = 0; pass < 4; ++pass) {
    for (std::int32_t y = kFirst[pass]; y < height; y += kStep[pass]) {
      std::memcpy(picture.Row(y), pixels, width);
      pixels += width;
    }
  }
}

TDIB MaskOf(const TDIB& picture, std::uint8_t transparentIndex) {
  TDIB mask(picture.Width(), picture.Height(), 1);
  for (std::int32_t y = 0; y < picture.Height(); ++y) {
    const std::uint8_t* row = picture.Row(y);
    for (std::int32_t x = 0; x < picture.Width(); ++x)
      if (row[x] == transparentIndex) SetMaskPixel(mask, x, y, true);
  }
  return mask;
}

class TGifReader {
 public:
  TGifReader(const std::uint8_t* data, std::size_t size, TGifContent& content)
      : cursor_(data, size), content_(content) {}

  TGifStatus Read() {
    if (!cursor_.Has(13) || std::memcmp(cursor_.Take(3), "GIF", 3) != 0)
      return TGifStatus::NoPicture;
    cursor_.Take(3);  // version
    content_.Width = cursor_.Word();
    content_.Height = cursor_.Word();
    const std::uint8_t flags = cursor_.Byte();
    cursor_.Take(2);  // background index, aspect ratio
    content_.ColorDepth = ((flags >> 4) & 7) + 1;
    if (!cursor_.Has(PaletteBytes(flags))) return TGifStatus::NoPicture;
    content_.GlobalPalette = (flags & 0x80) ? ReadPalette(cursor_, flags) : TPalette(256, kBlack);
    if (!ScreenFits(content_.Width, content_.Height)) return TGifStatus::TooLarge;

    while (cursor_.Has(1)) {
      const std::uint8_t introducer = cursor_.Byte();
      if (introducer == kImageSeparator) {
        if (content_.Frames.size() == kMaxGifFrames) break;
        const TGifStatus status = ReadFrame();
        if (status != TGifStatus::Loaded) return status;
      } else if (introducer == kExtensionIntroducer) {
        if (!ReadExtension()) break;
      } else {
        break;  // the trailer, or bytes that are no block: what was read stands
      }
    }
    return content_.Frames.empty() ? TGifStatus::NoPicture : TGifStatus::Loaded;
  }

 private:
  static bool ScreenFits(std::int64_t width, std::int64_t height) {
    return width * height <= kMaxGifScreenPixels;
  }

  // Returns false when the file ends inside the extension.
  bool ReadExtension() {
    if (!cursor_.Has(1)) return false;
    const std::uint8_t label = cursor_.Byte();
    std::string data;
    switch (label) {
      case kGraphicControlLabel:
        if (!cursor_.SubBlocks(&data)) return false;
        if (data.size() >= 4) {
          control_.present = true;
          control_.flags = static_cast<std::uint8_t>(data[0]);
          control_.delay = static_cast<std::uint16_t>(static_cast<std::uint8_t>(data[1]) |
                                                      static_cast<std::uint8_t>(data[2]) << 8);
          control_.transparentIndex = static_cast<std::uint8_t>(data[3]);
        }
        return true;
      case kCommentLabel:
        return cursor_.SubBlocks(&comment_);
      case kApplicationLabel:
        if (!cursor_.SubBlocks(&data)) return false;
        // "NETSCAPE2.0", then a sub-block of 1 and the loop count.
        if (data.size() >= 14 && data.compare(0, 11, "NETSCAPE2.0") == 0 && data[11] == 1) {
          content_.HasLoopExtension = true;
          content_.LoopCount = static_cast<std::uint16_t>(static_cast<std::uint8_t>(data[12]) |
                                                          static_cast<std::uint8_t>(data[13]) << 8);
        }
        return true;
      case kPlainTextLabel:
      default:
        return cursor_.SubBlocks<std::string>(nullptr);
    }
  }

  TGifStatus ReadFrame() {
    if (!cursor_.Has(9)) return TGifStatus::Corrupt;
    auto frame = std::make_shared<TgfFrame>();
    frame->Left = cursor_.Word();
    frame->Top = cursor_.Word();
    frame->Width = cursor_.Word();
    frame->Height = cursor_.Word();
    const std::uint8_t flags = cursor_.Byte();
    frame->Interlaced = (flags & 0x40) != 0;
    frame->HasLocalPalette = (flags & 0x80) != 0;
    if (frame->Width == 0 || frame->Height == 0) return TGifStatus::Corrupt;

    // Every limit is checked before anything of the frame's size is allocated.
    const std::int64_t area = std::int64_t{frame->Width} * frame->Height;
    const std::int32_t width = std::max(content_.Width, frame->Left + frame->Width);
    const std::int32_t height = std::max(content_.Height, frame->Top + frame->Height);
    decodedPixels_ += area;
    if (!ScreenFits(width, height) || decodedPixels_ > kMaxGifDecodedPixels)
      return TGifStatus::TooLarge;

    if (!cursor_.Has(PaletteBytes(flags) + 1)) return TGifStatus::Corrupt;
    const TPalette palette =
        frame->HasLocalPalette ? ReadPalette(cursor_, flags) : content_.GlobalPalette;
    const int minCodeSize = cursor_.Byte();
    codes_.clear();
    cursor_.SubBlocks(&codes_);  // a missing terminator is harmless when the picture is whole
    if (!lzw_.Decode(codes_.data(), codes_.size(), minCodeSize, static_cast<std::size_t>(area)))
      return TGifStatus::Corrupt;

    // Within the limits a DIB can still fail for want of memory: the DIB layer throws,
    // the decoder answers with a status.
    try {
      frame->Picture = TDIB(frame->Width, frame->Height, 8);
      frame->Picture.Palette() = palette;
      PlaceRows(lzw_.Pixels(), frame->Interlaced, frame->Picture);

      if (control_.present) {
        frame->Disposal = DisposalOf(control_.flags);
        frame->DelayMs = std::uint32_t{control_.delay} * 10;
        frame->Transparent = (control_.flags & 1) != 0;
        frame->TransparentIndex = control_.transparentIndex;
        frame->TransparentColor = palette[control_.transparentIndex];
        if (frame->Transparent) frame->Mask = MaskOf(frame->Picture, frame->TransparentIndex);
      }
    } catch (const EGraphicsError&) {
      return TGifStatus::TooLarge;
    }
    frame->Comment = std::move(comment_);
    comment_.clear();
    control_ = TGraphicControl{};

    content_.Width = width;
    content_.Height = height;
    content_.Frames.push_back(std::move(frame));
    return TGifStatus::Loaded;
  }

  TByteCursor cursor_;
  TGifContent& content_;
  TGraphicControl control_;
  std::string comment_;
  std::vector<std::uint8_t> codes_;
  TLzwDecoder lzw_;
  std::int64_t decodedPixels_ = 0;
};

}  // namespace

std::string GifStatusText(TGifStatus status) {
  switch (status) {
    case TGifStatus::Corrupt:
      return kCorruptGifImage;
    case TGifStatus::TooLarge:
      return kGifDibAllocationFailed;
    default:
      return {};
  }
}

TGifStatus DecodeGif(const std::uint8_t* data, std::size_t size, TGifContent& content) {
  content = TGifContent{};
  const TGifStatus status = TGifReader(data, size, content).Read();
  if (status != TGifStatus::Loaded) content = TGifContent{};
  return status;
}

std::optional<std::uint8_t> FindLeadingGifTransparency(const std::uint8_t* data, std::size_t size) {
  constexpr std::size_t kScreenEnd = 13;
  if (size < kScreenEnd || std::memcmp(data, "GIF", 3) != 0) return std::nullopt;
  const std::size_t at = kScreenEnd + PaletteBytes(data[10]);
  // "!", the label, a block of 4: flags, delay (2 bytes), transparent index.
  if (size < at + 7 || data[at] != kExtensionIntroducer || data[at + 1] != kGraphicControlLabel ||
      data[at + 2] < 4 || (data[at + 3] & 1) == 0)
    return std::nullopt;
  return data[at + 6];
}
