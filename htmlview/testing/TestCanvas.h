#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "canvas/Canvas.h"

namespace htmlview {

// A canvas with fixed metrics that records what is drawn, so that layouts are exact and
// the same on every platform. At 12 points a character is 7 pixels wide (bold 8), the
// ascent is 10, the descent 3 and the external leading 2; everything scales with the size.
// Every call that draws appends one line of text to Calls().
class TTestCanvas : public TCanvas {
 public:
  TFontHandle Font(const TFontSpec& spec) override;
  TFontMetrics Metrics(TFontHandle font) override;
  std::int32_t TextWidth(TFontHandle font, std::string_view text) override;
  std::int32_t FitCount(TFontHandle font, std::string_view text, std::int32_t width) override;
  void TextOut(std::int32_t x, std::int32_t baseline, TFontHandle font, std::string_view text,
               const TTextPaint& paint) override;
  void FillRect(const TRect& rect, TColor color) override;
  void FrameRect(const TRect& rect, TColor color) override;
  void Edge3D(const TRect& rect, TColor topLeft, TColor bottomRight) override;
  void Line(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2,
            TColor color) override;
  void Ellipse(const TRect& rect, TColor pen, bool filled, TColor fill) override;
  void DrawPicture(const TRect& dest, const TDIB& picture, const TDIB* mask) override;
  void DrawBuiltIn(TBuiltInPicture picture, std::int32_t x, std::int32_t y) override;
  void PushClip(const TRect& rect) override;
  void PopClip() override;
  int BitsPerPixel() const override { return bitsPerPixel_; }
  TColor SystemColor(TSystemColor which) const override;

  void SetBitsPerPixel(int bits) { bitsPerPixel_ = bits; }
  void SetSystemColor(TSystemColor which, TColor color);

  // The pixel width of one character in a font, as TextWidth counts it.
  std::int32_t CharWidth(TFontHandle font) const;
  const std::vector<TFontSpec>& FontsMade() const { return fonts_; }
  const std::vector<std::string>& Calls() const { return calls_; }
  void ClearCalls() { calls_.clear(); }
  // How often Font() was asked, to check that layout does not look fonts up per character.
  std::int64_t FontLookups() const { return fontLookups_; }
  // How often text was measured (TextWidth and FitCount): the work of a layout, counted
  // the same on every machine.
  std::int64_t Measurements() const { return measurements_; }

 private:
  const TFontSpec& SpecOf(TFontHandle font) const;
  void Record(std::string call);

  std::vector<TFontSpec> fonts_;  // handle n is fonts_[n - 1]
  std::vector<std::string> calls_;
  std::vector<TRect> clips_;
  int bitsPerPixel_ = 24;
  TColor systemColors_[5] = {MakeColor(192, 192, 192), MakeColor(128, 128, 128),
                             MakeColor(255, 255, 255), MakeColor(0, 0, 0),
                             MakeColor(255, 255, 255)};
  std::int64_t fontLookups_ = 0;
  std::int64_t measurements_ = 0;
};

}  // namespace htmlview
