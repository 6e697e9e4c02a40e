#include "TestCanvas.h"

#include <algorithm>
#include <cstdio>
#include <stdexcept>

namespace htmlview {

namespace {

std::int32_t Scaled(std::int32_t atTwelve, std::int32_t sizePt) {
  return (atTwelve * sizePt + 6) / 12;
}

std::string ColorText(TColor color) {
  char text[8];
  std::snprintf(text, sizeof text, "#%02X%02X%02X", RedOf(color), GreenOf(color), BlueOf(color));
  return text;
}

std::string RectText(const TRect& rect) {
  return std::to_string(rect.Left) + "," + std::to_string(rect.Top) + "-" +
         std::to_string(rect.Right) + "," + std::to_string(rect.Bottom);
}

}  // namespace

TFontHandle TTestCanvas::Font(const TFontSpec& spec) {
  ++fontLookups_;
  const auto found = std::find(fonts_.begin(), fonts_.end(), spec);
  if (found != fonts_.end()) return static_cast<TFontHandle>(found - fonts_.begin()) + 1;
  fonts_.push_back(spec);
  return static_cast<TFontHandle>(fonts_.size());
}

const TFontSpec& TTestCanvas::SpecOf(TFontHandle font) const {
  if (font < 1 || static_cast<std::size_t>(font) > fonts_.size())
    throw std::invalid_argument("TTestCanvas: unknown font handle");
  return fonts_[static_cast<std::size_t>(font) - 1];
}

std::int32_t TTestCanvas::CharWidth(TFontHandle font) const {
  const TFontSpec& spec = SpecOf(font);
  return std::max(1, Scaled(7, spec.SizePt)) + ((spec.Style & TFontStyle::Bold) ? 1 : 0);
}

TFontMetrics TTestCanvas::Metrics(TFontHandle font) {
  const TFontSpec& spec = SpecOf(font);
  TFontMetrics metrics;
  metrics.Ascent = Scaled(10, spec.SizePt);
  metrics.Descent = Scaled(3, spec.SizePt);
  metrics.Height = metrics.Ascent + metrics.Descent + Scaled(2, spec.SizePt);
  metrics.Overhang = (spec.Style & TFontStyle::Italic) ? 1 : 0;
  return metrics;
}

std::int32_t TTestCanvas::TextWidth(TFontHandle font, std::string_view text) {
  ++measurements_;
  return CharWidth(font) * static_cast<std::int32_t>(text.size());
}

std::int32_t TTestCanvas::FitCount(TFontHandle font, std::string_view text, std::int32_t width) {
  ++measurements_;
  if (width <= 0) return 0;
  return std::min(static_cast<std::int32_t>(text.size()), width / CharWidth(font));
}

void TTestCanvas::Record(std::string call) {
  calls_.push_back(std::move(call));
}

void TTestCanvas::TextOut(std::int32_t x, std::int32_t baseline, TFontHandle font,
                          std::string_view text, const TTextPaint& paint) {
  SpecOf(font);
  std::string call = "text x=" + std::to_string(x) + " base=" + std::to_string(baseline) +
                     " font=#" + std::to_string(font) + " color=" + ColorText(paint.Color);
  if (paint.Opaque) call += " bg=" + ColorText(paint.Background);
  call += " \"";
  for (char ch : text) {
    const auto code = static_cast<unsigned char>(ch);
    if (code >= 32 && code < 127 && ch != '"' && ch != '\\') {
      call += ch;
    } else {
      char escaped[8];
      std::snprintf(escaped, sizeof escaped, "\\x%02X", code);
      call += escaped;
    }
  }
  Record(call + "\"");
}

void TTestCanvas::FillRect(const TRect& rect, TColor color) {
  Record("fill " + RectText(rect) + " " + ColorText(color));
}

void TTestCanvas::FrameRect(const TRect& rect, TColor color) {
  Record("frame " + RectText(rect) + " " + ColorText(color));
}

void TTestCanvas::Edge3D(const TRect& rect, TColor topLeft, TColor bottomRight) {
  Record("edge " + RectText(rect) + " " + ColorText(topLeft) + "/" + ColorText(bottomRight));
}

void TTestCanvas::Line(std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2,
                       TColor color) {
  Record("line " + std::to_string(x1) + "," + std::to_string(y1) + "-" + std::to_string(x2) + "," +
         std::to_string(y2) + " " + ColorText(color));
}

void TTestCanvas::Ellipse(const TRect& rect, TColor pen, bool filled, TColor fill) {
  Record("ellipse " + RectText(rect) + " pen=" + ColorText(pen) +
         (filled ? " fill=" + ColorText(fill) : std::string()));
}

void TTestCanvas::DrawPicture(const TRect& dest, const TDIB& picture, const TDIB* mask) {
  Record("picture " + RectText(dest) + " " + std::to_string(picture.Width()) + "x" +
         std::to_string(picture.Height()) + (picture.HasAlpha() ? " alpha" : "") +
         (mask ? " masked" : ""));
}

void TTestCanvas::DrawBuiltIn(TBuiltInPicture picture, std::int32_t x, std::int32_t y) {
  const char* name = picture == TBuiltInPicture::NotShown     ? "not-shown"
                     : picture == TBuiltInPicture::CannotLoad ? "cannot-load"
                                                              : "none";
  Record(std::string("builtin ") + name + " " + std::to_string(x) + "," + std::to_string(y));
}

void TTestCanvas::PushClip(const TRect& rect) {
  clips_.push_back(rect);
  Record("clip " + RectText(rect));
}

void TTestCanvas::PopClip() {
  if (clips_.empty()) throw std::logic_error("TTestCanvas: clip popped without a push");
  clips_.pop_back();
  Record("unclip");
}

TColor TTestCanvas::SystemColor(TSystemColor which) const {
  return systemColors_[static_cast<int>(which)];
}

void TTestCanvas::SetSystemColor(TSystemColor which, TColor color) {
  systemColors_[static_cast<int>(which)] = color;
}

}  // namespace htmlview
