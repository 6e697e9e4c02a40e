#include "ListItems.h"

#include <algorithm>

#include "IndentManager.h"
#include "SectionList.h"

namespace htmlview {

namespace {

constexpr TColor kNavy = MakeColor(0, 0, 128);
constexpr TColor kMaroon = MakeColor(128, 0, 0);
constexpr TColor kRed = MakeColor(255, 0, 0);
constexpr std::int32_t kMaxRoman = 20;
constexpr std::int32_t kLetters = 26;
constexpr std::int32_t kBulletSize = 5;
constexpr std::int32_t kBulletOffset = 8;  // bullet centre, left of the text
constexpr std::int32_t kNumberGap = 5;     // number's right end, left of the text

std::string Roman(std::int32_t number) {
  static const char* const kRoman[] = {"",    "I",    "II",  "III",  "IV",    "V",   "VI",
                                       "VII", "VIII", "IX",  "X",    "XI",    "XII", "XIII",
                                       "XIV", "XV",   "XVI", "XVII", "XVIII", "XIX", "XX"};
  return kRoman[std::clamp(number, 1, kMaxRoman)];
}

}  // namespace

std::string ListNumberText(std::int32_t number, char style) {
  switch (style) {
    case 'A':
    case 'a':
      return std::string(1, static_cast<char>(style + std::clamp(number, 1, kLetters) - 1));
    case 'I':
      return Roman(number);
    case 'i': {
      std::string text = Roman(number);
      for (char& c : text) c = static_cast<char>(c - 'A' + 'a');
      return text;
    }
    default:
      return std::to_string(number);
  }
}

TUListItem::TUListItem(TSectionList& doc, std::int32_t level, bool plain, const TFontDesc& font,
                       std::shared_ptr<TUrlTarget> link, TJustify justify)
    : TSection(doc, font, std::move(link), justify) {
  SetListLevel(level);
  SetMarker(plain ? TMarkerKind::None : TMarkerKind::Bullet);
}

void TUListItem::DrawMarker(const LineRec& line, std::int32_t x) {
  if (MarkerKind() != TMarkerKind::Bullet) return;
  TCanvas& canvas = Doc.Canvas();
  const std::int32_t cx = x + line.LineX - kBulletOffset;
  const std::int32_t cy = line.Baseline() - line.LineHt / 2;
  const TRect box{cx - kBulletSize / 2, cy - kBulletSize / 2, cx - kBulletSize / 2 + kBulletSize,
                  cy - kBulletSize / 2 + kBulletSize};
  if (Doc.LightBackground()) {
    const std::int32_t level = ListLevel();
    const TColor color = level == 1 || level == 4   ? kNavy
                         : level == 2 || level == 5 ? kMaroon
                                                    : kRed;
    canvas.Ellipse(box, color, true, color);
  } else {
    canvas.Ellipse(box, Doc.FontColor, false, Doc.FontColor);
  }
}

TOListItem::TOListItem(TSectionList& doc, std::int32_t level, std::int32_t number, char style,
                       const TFontDesc& font, std::shared_ptr<TUrlTarget> link, TJustify justify)
    : TUListItem(doc, level, false, font, std::move(link), justify),
      number_(number),
      style_(style) {
  SetMarker(TMarkerKind::Number);
}

void TOListItem::DrawMarker(const LineRec& line, std::int32_t x) {
  const TRunStyle& font = FirstStyle();
  const std::string text = ListNumberText(number_, style_) + ".";
  TCanvas& canvas = Doc.Canvas();
  const std::int32_t right = x + line.LineX - kNumberGap;
  canvas.TextOut(right - canvas.TextWidth(font.Handle, text), line.Baseline(), font.Handle, text,
                 {font.DrawColor(Doc), false, Doc.Background});
}

void TOListItem::DumpDetails(std::string& out) const {
  out += " number=" + std::to_string(number_) + " style=" + std::string(1, style_);
}

TDListItem::TDListItem(TSectionList& doc, std::int32_t level, const TFontDesc& font,
                       std::shared_ptr<TUrlTarget> link, TJustify justify)
    : TUListItem(doc, level, true, font, std::move(link), justify) {
  SetMarker(TMarkerKind::Definition);
}

}  // namespace htmlview
