#include "win32/GdiCanvas.h"

#include <algorithm>
#include <climits>

#include "canvas/FaceKind.h"
#include "win32/DibBlit.h"
#include "win32/GdiObjects.h"
#include "win32/ViewerResources.h"

namespace htmlview {

namespace {
COLORREF Ref(TColor color) {
  return static_cast<COLORREF>(color & 0xFFFFFF);
}

// What GDI is told with the face, so that a stand-in for a missing face keeps its kind.
BYTE PitchAndFamily(TFaceKind kind) {
  switch (kind) {
    case TFaceKind::Fixed:
      return FIXED_PITCH | FF_MODERN;
    case TFaceKind::Serif:
      return VARIABLE_PITCH | FF_ROMAN;
    case TFaceKind::Any:
      break;
  }
  return DEFAULT_PITCH | FF_DONTCARE;
}

int Clamped(std::size_t length) {
  return static_cast<int>(std::min<std::size_t>(length, INT_MAX));
}
}  // namespace

TGdiCanvas::TGdiCanvas() {
  HDC screen = ::GetDC(nullptr);
  measureDc_ = ::CreateCompatibleDC(screen);
  ::ReleaseDC(nullptr, screen);
}

TGdiCanvas::~TGdiCanvas() {
  Detach();
  if (measureFontBefore_) ::SelectObject(measureDc_, measureFontBefore_);
  ::DeleteDC(measureDc_);
  for (const TFontEntry& entry : fonts_) ::DeleteObject(entry.Object);
}

void TGdiCanvas::Attach(HDC dc) {
  Detach();
  dc_ = dc;
  selected_ = 0;
}

void TGdiCanvas::Detach() {
  if (!dc_) return;
  while (clipDepth_ > 0) PopClip();
  if (fontBefore_) ::SelectObject(dc_, fontBefore_);
  fontBefore_ = nullptr;
  dc_ = nullptr;
  selected_ = 0;
}

TFontHandle TGdiCanvas::Font(const TFontSpec& spec) {
  const TFontKey key{spec.Name, spec.SizePt, spec.Style, spec.CharSet, spec.FixedPitch};
  const auto found = fontsByKey_.find(key);
  if (found != fontsByKey_.end()) return found->second;

  HDC screen = ::GetDC(nullptr);
  const int pixelsPerInch = ::GetDeviceCaps(screen, LOGPIXELSY);
  ::ReleaseDC(nullptr, screen);
  LOGFONTA logical{};
  logical.lfHeight = -::MulDiv(std::max(spec.SizePt, 1), pixelsPerInch, 72);
  logical.lfWeight = (spec.Style & TFontStyle::Bold) ? FW_BOLD : FW_NORMAL;
  logical.lfItalic = (spec.Style & TFontStyle::Italic) ? TRUE : FALSE;
  logical.lfUnderline = (spec.Style & TFontStyle::Underline) ? TRUE : FALSE;
  logical.lfStrikeOut = (spec.Style & TFontStyle::StrikeOut) ? TRUE : FALSE;
  logical.lfCharSet = spec.CharSet;
  logical.lfOutPrecision = OUT_DEFAULT_PRECIS;
  logical.lfClipPrecision = CLIP_DEFAULT_PRECIS;
  logical.lfQuality = DEFAULT_QUALITY;
  logical.lfPitchAndFamily = PitchAndFamily(FaceKindOf(spec));
  const std::size_t nameLength = std::min(spec.Name.size(), sizeof(logical.lfFaceName) - 1);
  std::copy_n(spec.Name.begin(), nameLength, logical.lfFaceName);

  TFontEntry entry;
  entry.Object = ::CreateFontIndirectA(&logical);
  if (!entry.Object) entry.Object = static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
  HGDIOBJ before = ::SelectObject(measureDc_, entry.Object);
  if (!measureFontBefore_) measureFontBefore_ = before;
  TEXTMETRICA metrics{};
  ::GetTextMetricsA(measureDc_, &metrics);
  entry.Metrics.Ascent = metrics.tmAscent;
  entry.Metrics.Descent = metrics.tmDescent;
  entry.Metrics.Height = metrics.tmHeight + metrics.tmExternalLeading;
  entry.Metrics.Overhang = metrics.tmOverhang;
  fonts_.push_back(entry);
  const TFontHandle handle = static_cast<TFontHandle>(fonts_.size());
  fontsByKey_.emplace(key, handle);
  if (!dc_) selected_ = handle;
  return handle;
}

const TGdiCanvas::TFontEntry* TGdiCanvas::EntryOf(TFontHandle font) const {
  if (font < 1 || static_cast<std::size_t>(font) > fonts_.size()) return nullptr;
  return &fonts_[static_cast<std::size_t>(font - 1)];
}

HFONT TGdiCanvas::FontObject(TFontHandle font) const {
  const TFontEntry* entry = EntryOf(font);
  return entry ? entry->Object : nullptr;
}

bool TGdiCanvas::Select(TFontHandle font) {
  const TFontEntry* entry = EntryOf(font);
  if (!entry) return false;
  if (selected_ == font) return true;
  HDC dc = dc_ ? dc_ : measureDc_;
  HGDIOBJ before = ::SelectObject(dc, entry->Object);
  if (dc_ && !fontBefore_) fontBefore_ = before;
  if (!dc_ && !measureFontBefore_) measureFontBefore_ = before;
  selected_ = font;
  return true;
}

TFontMetrics TGdiCanvas::Metrics(TFontHandle font) {
  const TFontEntry* entry = EntryOf(font);
  return entry ? entry->Metrics : TFontMetrics{};
}

std::int32_t TGdiCanvas::TextWidth(TFontHandle font, std::string_view text) {
  if (text.empty() || !Select(font)) return 0;
  SIZE size{};
  ::GetTextExtentPoint32A(dc_ ? dc_ : measureDc_, text.data(), Clamped(text.size()), &size);
  return size.cx;
}

std::int32_t TGdiCanvas::FitCount(TFontHandle font, std::string_view text, std::int32_t width) {
  if (text.empty() || width <= 0 || !Select(font)) return 0;
  int fit = 0;
  SIZE size{};
  if (!::GetTextExtentExPointA(dc_ ? dc_ : measureDc_, text.data(), Clamped(text.size()), width,
                               &fit, nullptr, &size))
    return 0;
  return std::clamp<std::int32_t>(fit, 0, static_cast<std::int32_t>(text.size()));
}

void TGdiCanvas::TextOut(std::int32_t x, std::int32_t baseline, TFontHandle font,
                         std::string_view text, const TTextPaint& paint) {
  if (!dc_ || text.empty() || !Select(font)) return;
  ::SetTextAlign(dc_, TA_BASELINE | TA_LEFT | TA_NOUPDATECP);
  ::SetTextColor(dc_, Ref(paint.Color));
  ::SetBkMode(dc_, paint.Opaque ? OPAQUE : TRANSPARENT);
  if (paint.Opaque) ::SetBkColor(dc_, Ref(paint.Background));
  // The glyphs go where the layout measured them. Left to itself, Wine advances its
  // monochrome glyphs by their bitmap widths, a pixel or so narrower than the widths it
  // reports for measuring: text would end short of its measured width, the next run would
  // start after a gap, and a link's underline (drawn over the whole width) would run on.
  const int count = Clamped(text.size());
  advances_.resize(static_cast<std::size_t>(count));
  SIZE size{};
  const int* dx = nullptr;
  if (::GetTextExtentExPointA(dc_, text.data(), count, 0, nullptr, advances_.data(), &size)) {
    for (std::size_t i = advances_.size() - 1; i > 0; --i) advances_[i] -= advances_[i - 1];
    dx = advances_.data();
  }
  ::ExtTextOutA(dc_, x, baseline, 0, nullptr, text.data(), static_cast<UINT>(count), dx);
}

void TGdiCanvas::FillRect(const TRect& rect, TColor color) {
  if (!dc_ || rect.Width() <= 0 || rect.Height() <= 0) return;
  // An opaque ExtTextOut of nothing fills without a brush.
  ::SetBkColor(dc_, Ref(color));
  const RECT r{rect.Left, rect.Top, rect.Right, rect.Bottom};
  ::ExtTextOutA(dc_, 0, 0, ETO_OPAQUE, &r, nullptr, 0, nullptr);
}

void TGdiCanvas::FrameRect(const TRect& rect, TColor color) {
  if (!dc_ || rect.Width() <= 0 || rect.Height() <= 0) return;
  HBRUSH brush = ::CreateSolidBrush(Ref(color));
  const RECT r{rect.Left, rect.Top, rect.Right, rect.Bottom};
  ::FrameRect(dc_, &r, brush);
  ::DeleteObject(brush);
}

void TGdiCanvas::Edge3D(const TRect& rect, TColor topLeft, TColor bottomRight) {
  if (!dc_ || rect.Width() <= 0 || rect.Height() <= 0) return;
  const std::int32_t right = rect.Right - 1, bottom = rect.Bottom - 1;
  Line(rect.Left, bottom, rect.Left, rect.Top, topLeft);
  Line(rect.Left, rect.Top, right, rect.Top, topLeft);
  Line(right, rect.Top, right, bottom, bottomRight);
  Line(right, bottom, rect.Left - 1, bottom, bottomRight);
}

void TGdiCanvas::Line(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2,
                      TColor color) {
  if (!dc_) return;
  TGdiObject pen(dc_, ::CreatePen(PS_SOLID, 1, Ref(color)));
  ::MoveToEx(dc_, x1, y1, nullptr);
  ::LineTo(dc_, x2, y2);
}

void TGdiCanvas::Ellipse(const TRect& rect, TColor pen, bool filled, TColor fill) {
  if (!dc_ || rect.Width() <= 0 || rect.Height() <= 0) return;
  TGdiObject penObject(dc_, ::CreatePen(PS_SOLID, 1, Ref(pen)));
  if (filled) {
    TGdiObject brush(dc_, ::CreateSolidBrush(Ref(fill)));
    ::Ellipse(dc_, rect.Left, rect.Top, rect.Right, rect.Bottom);
  } else {
    HGDIOBJ before = ::SelectObject(dc_, ::GetStockObject(NULL_BRUSH));
    ::Ellipse(dc_, rect.Left, rect.Top, rect.Right, rect.Bottom);
    ::SelectObject(dc_, before);
  }
}

void TGdiCanvas::DrawPicture(const TRect& dest, const TDIB& picture, const TDIB* mask) {
  if (!dc_) return;
  DrawDib(dc_, dest, picture, mask);
}

void TGdiCanvas::DrawBuiltIn(TBuiltInPicture picture, std::int32_t x, std::int32_t y) {
  if (!dc_ || picture == TBuiltInPicture::None) return;
  const TViewerResources& resources = TViewerResources::Get();
  if (picture == TBuiltInPicture::NotShown)
    DrawBitmap(dc_, x, y, resources.NotShown(), nullptr);
  else
    DrawBitmap(dc_, x, y, resources.CannotLoad(), resources.CannotLoadMask());
}

void TGdiCanvas::PushClip(const TRect& rect) {
  if (!dc_) return;
  ::SaveDC(dc_);
  ++clipDepth_;
  ::IntersectClipRect(dc_, rect.Left, rect.Top, rect.Right, rect.Bottom);
}

void TGdiCanvas::PopClip() {
  if (!dc_ || clipDepth_ == 0) return;
  // The saved state holds the font that was selected then.
  ::RestoreDC(dc_, -1);
  --clipDepth_;
  selected_ = 0;
}

int TGdiCanvas::BitsPerPixel() const {
  return TViewerResources::Get().ScreenDepth();
}

TColor TGdiCanvas::SystemColor(TSystemColor which) const {
  switch (which) {
    case TSystemColor::ButtonFace:
      return ::GetSysColor(COLOR_BTNFACE);
    case TSystemColor::ButtonShadow:
      return ::GetSysColor(COLOR_BTNSHADOW);
    case TSystemColor::ButtonHighlight:
      return ::GetSysColor(COLOR_BTNHIGHLIGHT);
    case TSystemColor::ButtonText:
      return ::GetSysColor(COLOR_BTNTEXT);
    case TSystemColor::Window:
      return ::GetSysColor(COLOR_WINDOW);
  }
  return ::GetSysColor(COLOR_WINDOW);
}

}  // namespace htmlview
