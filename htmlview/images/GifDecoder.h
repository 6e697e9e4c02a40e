#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "Color.h"
#include "GifFrame.h"

// Everything read from a GIF file.
struct TGifContent {
  // The larger of the logical screen and every frame's right and bottom edge.
  std::int32_t Width = 0;
  std::int32_t Height = 0;
  int ColorDepth = 0;
  TPalette GlobalPalette;  // 256 entries, black where the file gives none
  bool HasLoopExtension = false;
  std::uint16_t LoopCount = 0;  // from the "NETSCAPE" "2.0" extension; 0 is for ever
  std::vector<std::shared_ptr<const TgfFrame>> Frames;
};

// The memory a GIF may take, whatever its header says.
constexpr std::int64_t kMaxGifScreenPixels = std::int64_t{16} * 1024 * 1024;
constexpr std::int64_t kMaxGifDecodedPixels = std::int64_t{64} * 1024 * 1024;  // all frames
constexpr std::size_t kMaxGifFrames = 256;

// What reading a GIF came to. Only Loaded gives a picture.
enum class TGifStatus {
  Loaded,
  NoPicture,  // the data is no GIF or holds no frame
  Corrupt,    // a damaged frame
  TooLarge,   // a picture beyond the limits above, or one memory cannot hold
};

// The graphics layer's text for a failure ("Corrupt GIF Image", "Failed to allocate memory
// for GIF DIB"); empty for Loaded and NoPicture, which are no errors.
std::string GifStatusText(TGifStatus status);

// Reads a GIF held in memory. Never throws for anything in the data: a bad file is a
// status, so the image layer decides what the viewer shows. `content` is whole only when
// the status is Loaded.
TGifStatus DecodeGif(const std::uint8_t* data, std::size_t size, TGifContent& content);

// The transparent index of a graphic control extension that directly follows the global
// colour table and has its transparency flag set; nothing otherwise.
std::optional<std::uint8_t> FindLeadingGifTransparency(const std::uint8_t* data, std::size_t size);
