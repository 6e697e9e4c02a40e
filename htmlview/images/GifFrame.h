#pragma once

#include <cstdint>
#include <string>

#include "Color.h"
#include "Dib.h"
#include "PixelRect.h"

namespace htmlview {

// What happens to a frame's rectangle before the next frame is drawn.
enum class TGifDisposal : std::uint8_t {
  None = 0,
  Leave = 1,
  Background = 2,  // black in the composite, see-through in its mask; also any unknown value
  Previous = 3,    // what was beneath before the frame was drawn
};

// One decoded image of a GIF file. Frames never change once read, so the copies of a GIF
// that animate in several places share them.
struct TgfFrame {
  std::int32_t Left = 0;
  std::int32_t Top = 0;
  std::int32_t Width = 0;
  std::int32_t Height = 0;
  bool HasLocalPalette = false;
  bool Interlaced = false;
  TGifDisposal Disposal = TGifDisposal::None;
  std::uint32_t DelayMs = 0;
  bool Transparent = false;
  std::uint8_t TransparentIndex = 0;
  TColor TransparentColor = kBlack;
  TDIB Picture;  // 8 bits; its palette is the local one or the global one
  TDIB Mask;     // 1 bit, white where transparent; empty for an opaque frame
  std::string Comment;

  TPixelRect Bounds() const { return {Left, Top, Left + Width, Top + Height}; }
};

}  // namespace htmlview
