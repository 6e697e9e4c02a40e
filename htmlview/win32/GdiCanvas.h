#pragma once

#include <windows.h>
// The canvas's own TextOut, not the system's ANSI/wide macro.
#undef TextOut

#include <map>
#include <tuple>
#include <vector>

#include "canvas/Canvas.h"

namespace htmlview {

// The viewer's canvas on a GDI device context. One canvas serves a viewer for its whole
// life, so that the font handles its document keeps stay valid: it measures on a memory
// context of its own and draws on whatever context is attached for a paint.
class TGdiCanvas final : public TCanvas {
 public:
  TGdiCanvas();
  ~TGdiCanvas() override;
  TGdiCanvas(const TGdiCanvas&) = delete;
  TGdiCanvas& operator=(const TGdiCanvas&) = delete;

  // Draws on `dc` until Detach; the caller sets the context's origin and palette.
  void Attach(HDC dc);
  void Detach();
  HDC DC() const { return dc_; }

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
  int BitsPerPixel() const override;
  TColor SystemColor(TSystemColor which) const override;

  // The font's GDI object, for hosts that write with it themselves.
  HFONT FontObject(TFontHandle font) const;

 private:
  struct TFontEntry {
    HFONT Object = nullptr;
    TFontMetrics Metrics;
  };
  using TFontKey = std::tuple<std::string, std::int32_t, std::uint8_t, std::uint8_t, bool>;

  const TFontEntry* EntryOf(TFontHandle font) const;
  // Selects the font into the context in use; false for an unknown handle.
  bool Select(TFontHandle font);

  HDC measureDc_ = nullptr;
  HDC dc_ = nullptr;
  HGDIOBJ measureFontBefore_ = nullptr;
  HGDIOBJ fontBefore_ = nullptr;
  TFontHandle selected_ = 0;
  std::map<TFontKey, TFontHandle> fontsByKey_;
  std::vector<TFontEntry> fonts_;  // handle n is fonts_[n - 1]
  int clipDepth_ = 0;
  std::vector<int> advances_;  // per-character advances of the text being drawn
};

}  // namespace htmlview
