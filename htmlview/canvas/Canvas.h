#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "images/Color.h"
#include "images/Dib.h"
#include "images/PictureLoader.h"
#include "images/PixelRect.h"

namespace htmlview {

// Everything the viewer's engine knows of the screen. The engine measures and draws only
// through this; the host supplies a GDI canvas on Windows and tests a recording one.
// Coordinates are document pixels: the host applies the scroll offset. Colours are the
// 0x00BBGGRR values of images/Color.h. Text is single bytes in the font's character set.

using TRect = TPixelRect;

// Style flags of a font, the same bits the parser keeps.
namespace TFontStyle {
constexpr std::uint8_t Bold = 1;
constexpr std::uint8_t Italic = 2;
constexpr std::uint8_t Underline = 4;
constexpr std::uint8_t StrikeOut = 8;
}  // namespace TFontStyle

// A font as the canvas is asked for it.
struct TFontSpec {
  std::string Name;          // face name, e.g. "Times New Roman"
  std::int32_t SizePt = 12;  // points
  std::uint8_t Style = 0;    // TFontStyle bits
  std::uint8_t CharSet = 1;  // Windows character-set number (1: the default set)
  bool FixedPitch = false;   // preformatted text: a face that stands in must be fixed too

  friend bool operator==(const TFontSpec& a, const TFontSpec& b) {
    return a.Name == b.Name && a.SizePt == b.SizePt && a.Style == b.Style &&
           a.CharSet == b.CharSet && a.FixedPitch == b.FixedPitch;
  }
};

// A font made by a canvas; valid for that canvas's lifetime. 0 is no font.
using TFontHandle = std::int32_t;

struct TFontMetrics {
  std::int32_t Ascent = 0;
  std::int32_t Descent = 0;
  std::int32_t Height = 0;  // ascent + descent + external leading: the line height
  std::int32_t Overhang = 0;
};

// The system colours that drawing follows.
enum class TSystemColor { ButtonFace, ButtonShadow, ButtonHighlight, ButtonText, Window };

// How text is written: transparent over what is there, or on a filled background.
struct TTextPaint {
  TColor Color = kBlack;
  bool Opaque = false;
  TColor Background = kWhite;  // used when Opaque
};

class TCanvas {
 public:
  virtual ~TCanvas() = default;

  // The handle of a font; the same description always gives the same handle, and the font
  // is made only once.
  virtual TFontHandle Font(const TFontSpec& spec) = 0;
  virtual TFontMetrics Metrics(TFontHandle font) = 0;
  // Width of the text in the font (without overhang).
  virtual std::int32_t TextWidth(TFontHandle font, std::string_view text) = 0;
  // How many leading characters of the text fit in `width` pixels (0..text.size()). The
  // line breaker calls this for every line, so it must not cost more than one measurement.
  virtual std::int32_t FitCount(TFontHandle font, std::string_view text, std::int32_t width) = 0;

  // Text with its baseline at `baseline`, starting at `x`.
  virtual void TextOut(std::int32_t x, std::int32_t baseline, TFontHandle font,
                       std::string_view text, const TTextPaint& paint) = 0;

  virtual void FillRect(const TRect& rect, TColor color) = 0;
  // A one-pixel frame just inside the rectangle.
  virtual void FrameRect(const TRect& rect, TColor color) = 0;
  // A one-pixel 3-D edge: top and left in `topLeft`, bottom and right in `bottomRight`.
  virtual void Edge3D(const TRect& rect, TColor topLeft, TColor bottomRight) = 0;
  // A one-pixel line from (x1, y1) up to but not including (x2, y2).
  virtual void Line(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2,
                    TColor color) = 0;
  // An ellipse inside the rectangle: filled in `fill` with an outline in `pen`, or only
  // the outline.
  virtual void Ellipse(const TRect& rect, TColor pen, bool filled, TColor fill) = 0;

  // A picture stretched to `dest`; where `mask` (1 bit, the picture's size) is white the
  // background stays. A 32-bit picture is blended by its alpha over what is beneath.
  virtual void DrawPicture(const TRect& dest, const TDIB& picture, const TDIB* mask) = 0;
  // One of the built-in pictures (not shown yet, cannot be loaded) at its own size, with
  // its top left at (x, y). The host holds them as resources.
  virtual void DrawBuiltIn(TBuiltInPicture picture, std::int32_t x, std::int32_t y) = 0;

  // Drawing is limited to the intersection of every pushed rectangle.
  virtual void PushClip(const TRect& rect) = 0;
  virtual void PopClip() = 0;

  // What drawing must know of the device.
  virtual int BitsPerPixel() const = 0;
  virtual TColor SystemColor(TSystemColor which) const = 0;
};

}  // namespace htmlview
