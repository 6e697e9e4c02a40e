#include "GdiFont.h"

namespace pavina::ui {

namespace {
constexpr int kDesignPixelsPerInch = 96;
constexpr int kPointsPerInch = 72;
}  // namespace

TGdiFont::TGdiFont(const char* face, int points, bool bold)
    : font_(::CreateFontA(-MulDiv(points, kDesignPixelsPerInch, kPointsPerInch), 0, 0, 0,
                          bold ? FW_BOLD : FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                          OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                          DEFAULT_PITCH | FF_DONTCARE, face)) {}

}  // namespace pavina::ui
