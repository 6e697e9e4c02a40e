#pragma once

#include <windows.h>

namespace pavina::ui {

// An owned GDI font.
class TGdiFont {
 public:
  // Height in points at 96 pixels per inch.
  TGdiFont(const char* face, int points, bool bold);
  TGdiFont(const TGdiFont&) = delete;
  TGdiFont& operator=(const TGdiFont&) = delete;
  ~TGdiFont() { ::DeleteObject(font_); }
  HFONT Handle() const { return font_; }

 private:
  HFONT font_;
};

// The program's window font: "MS Sans Serif", 8 point.
inline constexpr const char* kWindowFontFace = "MS Sans Serif";
inline constexpr int kWindowFontPoints = 8;

}  // namespace pavina::ui
