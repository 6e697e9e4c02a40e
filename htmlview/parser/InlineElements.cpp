#include <algorithm>

#include "document/Cell.h"
#include "document/SectionList.h"
#include "document/Spaces.h"
#include "parser/FontSizes.h"
#include "parser/HtmlBuilder.h"

namespace htmlview {

namespace {

constexpr std::size_t kMaxFaceName = 50;

std::string FaceFromText(const std::string& text) {
  std::string face = text.substr(0, kMaxFaceName);
  return TrimmedText(face.substr(0, face.find(',')));
}

// True when the text spells an integer (an optional sign and digits).
bool IsInteger(const std::string& text) {
  std::size_t start = !text.empty() && (text[0] == '+' || text[0] == '-') ? 1 : 0;
  return start < text.size() &&
         std::all_of(text.begin() + static_cast<std::ptrdiff_t>(start), text.end(),
                     [](char c) { return c >= '0' && c <= '9'; });
}

}  // namespace

void THtmlBuilder::DoParagraph() {
  FinishSection();
  if (!paraSpacePending_) AppendToCell(std::make_unique<TParagraphSpace>(doc_));
  // P and /P in a row make one break; the last ALIGN given wins. The flag is set before
  // the symbol after them is read, which clears it when it is content.
  paraSpacePending_ = true;
  TJustify justify = justify_;
  while (Sy() == TSymbol::P || Sy() == TSymbol::PEnd) {
    if (Sy() == TSymbol::P)
      justify = AlignmentFromText(Attributes().Text(TAttrSymbol::ALIGN)).value_or(justify);
    Next();
  }
  NewSection(justify);
}

void THtmlBuilder::DoBreak() {
  // A break that ends a line holding nothing leaves an empty line, as writers of
  // "<br><br>" mean; an empty section alone would take no height.
  if (!section_ || section_->IsEmpty())
    Section().AddChar(TBufferMark::NoBreakSpace, tokenizer_.SymbolStart());
  const TJustify justify = section_->Justify();
  const bool clears = Attributes().Has(TAttrSymbol::CLEAR);
  const TClearType clear = ClearFromText(Attributes().Text(TAttrSymbol::CLEAR));
  NewSection(justify);
  if (clears) section_->SetClear(clear);
  Next();
}

void THtmlBuilder::DoHeading() {
  if (fonts_.Full()) {
    Next();
    return;
  }
  const int level = tokenizer_.HeadingLevel();
  FinishSection();
  fonts_.Push();
  fonts_.Top().Numerator = HeadingNumerator(level);
  if (level >= 1) fonts_.Top().Style |= TFontStyle::Bold;
  FontChanged();
  AppendToCell(std::make_unique<THeadingSpace>(doc_, level));
  NewSection(AlignmentFromText(Attributes().Text(TAttrSymbol::ALIGN)).value_or(justify_));
  Next();
}

void THtmlBuilder::DoHeadingEnd() {
  if (fonts_.Depth() > 1) {
    FinishSection();
    AppendToCell(std::make_unique<THeadingSpace>(doc_, tokenizer_.HeadingLevel()));
    PopFont();
  }
  Next();
}

void THtmlBuilder::DoStyle(TSymbol symbol) {
  switch (symbol) {
    case TSymbol::B:
    case TSymbol::Strong:
      style_ |= TFontStyle::Bold;
      break;
    case TSymbol::BEnd:
    case TSymbol::StrongEnd:
      style_ &= static_cast<std::uint8_t>(~TFontStyle::Bold);
      break;
    case TSymbol::I:
    case TSymbol::Em:
    case TSymbol::Cite:
    case TSymbol::Var:
      style_ |= TFontStyle::Italic;
      break;
    case TSymbol::IEnd:
    case TSymbol::EmEnd:
    case TSymbol::CiteEnd:
    case TSymbol::VarEnd:
      style_ &= static_cast<std::uint8_t>(~TFontStyle::Italic);
      break;
    case TSymbol::U:
      style_ |= TFontStyle::Underline;
      break;
    case TSymbol::UEnd:
      style_ &= static_cast<std::uint8_t>(~TFontStyle::Underline);
      break;
    case TSymbol::S:
    case TSymbol::Strike:
      style_ |= TFontStyle::StrikeOut;
      break;
    case TSymbol::SEnd:
    case TSymbol::StrikeEnd:
      style_ &= static_cast<std::uint8_t>(~TFontStyle::StrikeOut);
      break;
    case TSymbol::Sub:
      subSuper_ = TSubSuper::Sub;
      break;
    case TSymbol::Sup:
      subSuper_ = TSubSuper::Super;
      break;
    case TSymbol::SubEnd:
    case TSymbol::SupEnd:
      subSuper_ = TSubSuper::None;
      break;
    default:
      return;
  }
  FontChanged();
}

bool THtmlBuilder::IsStyleSymbol(TSymbol symbol) {
  static const TSymbolSet kStyleSymbols = {
      TSymbol::B,       TSymbol::Strong, TSymbol::BEnd,      TSymbol::StrongEnd, TSymbol::I,
      TSymbol::Em,      TSymbol::Cite,   TSymbol::Var,       TSymbol::IEnd,      TSymbol::EmEnd,
      TSymbol::CiteEnd, TSymbol::VarEnd, TSymbol::U,         TSymbol::UEnd,      TSymbol::S,
      TSymbol::Strike,  TSymbol::SEnd,   TSymbol::StrikeEnd, TSymbol::Sub,       TSymbol::Sup,
      TSymbol::SubEnd,  TSymbol::SupEnd};
  return kStyleSymbols.Contains(symbol);
}

void THtmlBuilder::PushFixedPitchFont() {
  if (!PushFont()) return;
  fonts_.Top().FixedPitch = true;
  fonts_.Top().Face.clear();  // a FONT FACE around TT names no fixed-pitch face
  fonts_.Top().Numerator = kFixedPitchNumerator;
  FontChanged();
}

const std::int32_t* THtmlBuilder::SizeScale() const {
  return inPre_ ? kPreFontSizeNumerators : kFontSizeNumerators;
}

void THtmlBuilder::DoFont(bool isBaseFont) {
  // BASEFONT counts only before the body holds anything, and not in a table.
  const bool takesEffect = !isBaseFont || (cell_ == &doc_ && doc_.Empty() && tableDepth_ == 0);
  if (!takesEffect || !PushFont()) {
    Next();
    return;
  }
  TFontDesc& font = fonts_.Top();
  const TAttributeList& attributes = Attributes();
  if (const TAttribute* size = attributes.Find(TAttrSymbol::SIZE); size && IsInteger(size->Text)) {
    const bool relative = size->Text.size() > 1 && (size->Text[0] == '+' || size->Text[0] == '-');
    // The step is bounded before it is added: the result is clamped to the scale anyway.
    const int step = std::clamp(size->Value, -8, 8);
    const int htmlSize = std::clamp(relative ? baseFontSize_ + step : size->Value, 1, 7);
    font.Numerator = SizeScale()[htmlSize];
    if (isBaseFont) baseFontSize_ = htmlSize;
  }
  if (!isBaseFont) {
    TColor color;
    if (ColorFromText(attributes.Text(TAttrSymbol::COLOR), color)) font.Color = color;
    const std::string face = FaceFromText(attributes.Text(TAttrSymbol::FACE));
    if (!face.empty()) font.Face = face;
  }
  FontChanged();
  Next();
}

void THtmlBuilder::DoBigSmall(bool bigger) {
  if (PushFont()) {
    const std::int32_t* scale = SizeScale();
    TFontDesc& font = fonts_.Top();
    // A size off the scale (a heading's, say) stays as it is.
    for (int size = 1; size <= 7; ++size) {
      if (scale[size] != font.Numerator) continue;
      font.Numerator = scale[bigger ? std::min(size + 1, 7) : std::max(size - 1, 1)];
      break;
    }
    FontChanged();
  }
  Next();
}

void THtmlBuilder::DoAnchor() {
  const TAttributeList& attributes = Attributes();
  if (const TAttribute* href = attributes.Find(TAttrSymbol::HREF)) {
    CloseLink();
    link_ = doc_.NewLink(href->Text, attributes.Text(TAttrSymbol::TARGET));
    linkOpen_ = true;
    // The document draws link runs underlined and in the link colours.
    linkFontPushed_ = PushFont();
    FontChanged();
    if (section_)
      section_->StartLink(link_, CurrentFont());
    else
      NewSection(justify_);
  }
  if (const TAttribute* name = attributes.Find(TAttrSymbol::NAME)) AddAnchor(name->Text);
  Next();
}

void THtmlBuilder::DoImage() {
  Section().AddImage(Attributes(), tokenizer_.SymbolStart(), tokenizer_.NoBreak);
  Next();
}

}  // namespace htmlview
