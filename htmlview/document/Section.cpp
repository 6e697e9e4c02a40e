#include "Section.h"

#include <algorithm>

#include "IndentManager.h"
#include "InlineControlObj.h"
#include "SectionList.h"
#include "SectionPieces.h"
#include "text/AsciiCase.h"

namespace htmlview {

using namespace section_pieces;

TClearType ClearFromText(const std::string& text) {
  if (SameText(text, "left")) return TClearType::Left;
  if (SameText(text, "right")) return TClearType::Right;
  return TClearType::All;
}

TSection::TSection(TSectionList& doc, const TFontDesc& font, std::shared_ptr<TUrlTarget> link,
                   TJustify justify)
    : TSectionBase(doc), justify_(justify), building_(doc.SectionBuildings().Take()) {
  building_->link = std::move(link);
  building_->runs.push_back({0, doc.RunStyles().Intern(font, TSubSuper::None, building_->link)});
}

TSection::~TSection() = default;

// ---- Building ----

void TSection::AppendChar(char ch, std::int32_t sourceIndex) {
  std::string& text = building_->text;
  if (IsMark(ch)) Objects().marks.push_back(static_cast<std::int32_t>(text.size()));
  AppendSourceIndex(building_->pairs, static_cast<std::int32_t>(text.size()), sourceIndex);
  text.push_back(ch);
}

void TSection::AddChar(char ch, std::int32_t sourceIndex) {
  if (!building_) return;
  AppendChar(ch, sourceIndex);
  building_->onlyFloats = false;
}

void TSection::AddTokenObj(const TokenObj& token, bool noBreak) {
  if (!building_ || token.S.empty()) return;
  bool& onlyFloats = building_->onlyFloats;
  const std::string& buff = building_->text;
  const std::string& s = token.S;
  const std::size_t n = std::min(s.size(), token.I.size());
  std::size_t first = 0;
  // One space between words: a leading space is dropped at the start of the section, after
  // a space, and while only floating images stand before it.
  if (!noBreak && s[0] == ' ' && (buff.empty() || buff.back() == ' ' || onlyFloats)) first = 1;
  for (std::size_t k = first; k < n; ++k) {
    char ch = s[k];
    if (ch == TBufferMark::NoBreakCode) {
      // No-break text: a 5 next to a space or another 5 is dropped (the space, if any,
      // stays the break); a leading one after a space is too, and, like a space, at the
      // start of the section or after nothing but floats; the rest are no-break spaces.
      const bool leadingAfterSpace = k == first && (onlyFloats || buff.back() == ' ' ||
                                                    buff.back() == TBufferMark::NoBreakSpace);
      const bool besideSpace =
          (k > 0 && IsFoldedSpace(s[k - 1])) || (k + 1 < n && IsFoldedSpace(s[k + 1]));
      if (leadingAfterSpace || besideSpace) continue;
      ch = TBufferMark::NoBreakSpace;
    }
    AppendChar(ch, token.I[k]);
    onlyFloats = false;
  }
}

void TSection::AddText(std::string_view text, std::int32_t firstSourceIndex, bool noBreak) {
  TokenObj token;
  token.AddText(std::string(text), firstSourceIndex);
  AddTokenObj(token, noBreak);
}

void TSection::AddRun(const TFontDesc& font, TSubSuper mode,
                      const std::shared_ptr<TUrlTarget>& link) {
  std::vector<TFontObj>& runs = building_->runs;
  const auto end = static_cast<std::int32_t>(building_->text.size());
  if (runs.back().Pos != end) runs.push_back({end, 0});
  runs.back().Style = Doc.RunStyles().Intern(font, mode, link);
}

void TSection::ChangeFont(const TFontDesc& font, TSubSuper mode) {
  if (building_) AddRun(font, mode, building_->link);
}

void TSection::StartLink(std::shared_ptr<TUrlTarget> link, const TFontDesc& font) {
  if (!building_) return;
  building_->link = std::move(link);
  AddRun(font, TSubSuper::None, building_->link);
}

void TSection::EndLink(const TFontDesc& font) {
  if (!building_) return;
  building_->link = nullptr;
  AddRun(font, TSubSuper::None, nullptr);
}

TImageObj* TSection::AddImage(const TAttributeList& attributes, std::int32_t sourceIndex,
                              bool noBreak) {
  if (!building_) return nullptr;
  auto image = std::make_unique<TImageObj>(Doc, attributes, building_->link);
  image->Pos = static_cast<std::int32_t>(building_->text.size());
  AppendChar(noBreak ? TBufferMark::ImageNoBreak : TBufferMark::Image, sourceIndex);
  if (!image->IsFloating()) building_->onlyFloats = false;
  auto& images = Objects().images;
  images.push_back(std::move(image));
  return images.back().get();
}

void TSection::AddControl(TInlineControlObj& control, std::int32_t sourceIndex, bool noBreak) {
  if (!building_) return;
  control.Pos = static_cast<std::int32_t>(building_->text.size());
  AppendChar(noBreak ? TBufferMark::ControlNoBreak : TBufferMark::Control, sourceIndex);
  building_->onlyFloats = false;
  Objects().controls.push_back(&control);
  Doc.NoteControl();
}

void TSection::SetListLevel(std::int32_t level) {
  static_assert(IndentManager::kMaxListLevel <= 255, "a list level fits a byte");
  listLevel_ = static_cast<std::uint8_t>(std::clamp(level, 0, IndentManager::kMaxListLevel));
}

bool TSection::Finish() {
  if (building_) {
    packed_ = TPackedText(building_->runs, building_->pairs, building_->text);
    Doc.SectionBuildings().Give(std::move(building_));
  }
  Len = static_cast<std::int32_t>(Buffer().size());
  return !Buffer().empty() || anchor_ || clear_ != TClearType::None;
}

// ---- Lookups ----

const TRunStyle& TSection::StyleOf(const TFontObj& run) const {
  return Doc.RunStyles()[run.Style];
}

TSection::TObjects& TSection::Objects() {
  if (!objects_) objects_ = std::make_unique<TObjects>();
  return *objects_;
}

std::size_t TSection::RunAt(std::int32_t pos, std::size_t hint) const {
  const TSpan<TFontObj> fonts = Fonts();
  if (hint < fonts.size() && fonts[hint].Pos <= pos &&
      (hint + 1 == fonts.size() || fonts[hint + 1].Pos > pos))
    return hint;
  const auto after =
      std::upper_bound(fonts.begin(), fonts.end(), pos,
                       [](std::int32_t p, const TFontObj& run) { return p < run.Pos; });
  return after == fonts.begin() ? 0 : static_cast<std::size_t>(after - fonts.begin() - 1);
}

TImageObj* TSection::ImageAt(std::int32_t pos) const {
  const auto& images = Images();
  const auto found = std::lower_bound(
      images.begin(), images.end(), pos,
      [](const std::unique_ptr<TImageObj>& image, std::int32_t p) { return image->Pos < p; });
  return found != images.end() && (*found)->Pos == pos ? found->get() : nullptr;
}

TInlineControlObj* TSection::ControlAt(std::int32_t pos) const {
  const auto& controls = Controls();
  const auto found = std::lower_bound(
      controls.begin(), controls.end(), pos,
      [](const TInlineControlObj* control, std::int32_t p) { return control->Pos < p; });
  return found != controls.end() && (*found)->Pos == pos ? *found : nullptr;
}

std::int32_t TSection::MarkWidth(std::int32_t pos) const {
  if (const TImageObj* image = ImageAt(pos))
    return image->IsFloating() ? 0 : image->ImageWidth + 2 * image->HSpace;
  const TInlineControlObj* control = ControlAt(pos);
  return control && control->TakesPlace() ? control->Width() : 0;
}

void TSection::MeasureFonts() const {
  TRunStyles& styles = Doc.RunStyles();
  for (const TFontObj& run : Fonts()) styles.Measure(run.Style, Doc);
}

std::int32_t TSection::WidthOf(std::int32_t from, std::int32_t to) const {
  const std::string_view chars = Buffer();
  const TSpan<TFontObj> fonts = Fonts();
  TCanvas& canvas = Doc.Canvas();
  std::int32_t width = 0;
  ForEachPiece(
      Doc.RunStyles(), fonts, Marks(), RunAt(from, 0), from, to,
      [&](std::int32_t a, std::int32_t b, const TRunStyle& run) {
        width += canvas.TextWidth(run.Handle, chars.substr(a, b - a));
        return true;
      },
      [&](std::int32_t pos, const TRunStyle&) {
        width += MarkWidth(pos);
        return true;
      });
  return width;
}

void TSection::UpdateFonts() {
  MeasureFonts();
}

void TSection::ShiftY(std::int32_t dy) {
  TSectionBase::ShiftY(dy);
  for (LineRec& line : lines_) line.DrawY += dy;
  for (auto& image : Images()) image->DrawY += dy;
}

void TSection::HideControls(bool offScreen) {
  for (TInlineControlObj* control : Controls()) control->HideAfterLayout(offScreen);
}

// ---- Preformatted lines ----

void TPreFormated::AddChar(char ch, std::int32_t sourceIndex) {
  if (Buffer().size() <= kMaxLength) TSection::AddChar(ch, sourceIndex);
}

void TPreFormated::AddTokenObj(const TokenObj& token, bool /*noBreak*/) {
  // Spaces are kept as they stand.
  if (Buffer().size() > kMaxLength) return;
  const std::size_t n = std::min(token.S.size(), token.I.size());
  for (std::size_t k = 0; k < n; ++k) TSection::AddChar(token.S[k], token.I[k]);
}

bool TPreFormated::Finish() {
  TSection::Finish();
  return true;
}

std::int32_t TPreFormated::DrawLogic(std::int32_t y, IndentManager& imgr, std::int32_t& maxWidth,
                                     std::int32_t& curs) {
  TSection::DrawLogic(y, imgr, maxWidth, curs);
  if (IsEmpty()) {
    // An empty line is as tall as its font's size in points, taken as pixels.
    SectionHeight += ResolveFont(FirstStyle().Desc, TSubSuper::None, Doc).SizePt;
    DrawHeight = std::max(DrawHeight, SectionHeight);
  }
  return SectionHeight;
}

void TPreFormated::MinMaxWidth(std::int32_t& min, std::int32_t& max) const {
  TSection::MinMaxWidth(min, max);
  min = std::min(max, kMaxMinWidth);
}

}  // namespace htmlview
