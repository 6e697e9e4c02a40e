#include "HtmlBuilder.h"

#include <algorithm>

#include "document/Cell.h"
#include "document/HorzLine.h"
#include "document/SectionList.h"
#include "forms/FormBuilder.h"
#include "parser/CodePages.h"
#include "parser/FontSizes.h"
#include "parser/ParseError.h"
#include "parser/Utf8.h"
#include "text/AsciiCase.h"

namespace htmlview {

namespace {

// Text of spaces alone adds nothing to a paragraph, so it does not end a pending
// paragraph space: "<p>\n<p>" is one paragraph break, as "<p><p>" is.
bool IsBlank(const TokenObj& token) {
  return std::all_of(token.S.begin(), token.S.end(),
                     [](char c) { return c == ' ' || c == TBufferMark::NoBreakCode; });
}

const TSymbolSet kInlineSymbols = {
    TSymbol::P,       TSymbol::PEnd,     TSymbol::Br,        TSymbol::H,          TSymbol::HEnd,
    TSymbol::B,       TSymbol::BEnd,     TSymbol::Strong,    TSymbol::StrongEnd,  TSymbol::I,
    TSymbol::IEnd,    TSymbol::Em,       TSymbol::EmEnd,     TSymbol::Cite,       TSymbol::CiteEnd,
    TSymbol::Var,     TSymbol::VarEnd,   TSymbol::U,         TSymbol::UEnd,       TSymbol::S,
    TSymbol::SEnd,    TSymbol::Strike,   TSymbol::StrikeEnd, TSymbol::Sub,        TSymbol::SubEnd,
    TSymbol::Sup,     TSymbol::SupEnd,   TSymbol::Tt,        TSymbol::TtEnd,      TSymbol::Code,
    TSymbol::CodeEnd, TSymbol::Kbd,      TSymbol::KbdEnd,    TSymbol::Samp,       TSymbol::SampEnd,
    TSymbol::Font,    TSymbol::FontEnd,  TSymbol::BaseFont,  TSymbol::Big,        TSymbol::BigEnd,
    TSymbol::Small,   TSymbol::SmallEnd, TSymbol::Address,   TSymbol::AddressEnd, TSymbol::A,
    TSymbol::AEnd,    TSymbol::Img,      TSymbol::Text,      TSymbol::NoBr,       TSymbol::NoBrEnd,
    TSymbol::Wbr,     TSymbol::Table,    TSymbol::Pre,       TSymbol::Form,       TSymbol::FormEnd,
    TSymbol::Input,   TSymbol::Select,   TSymbol::TextArea,  TSymbol::Map,        TSymbol::Script,
};

const TSymbolSet kListStarts = {TSymbol::Ol,   TSymbol::Ul, TSymbol::Dir,
                                TSymbol::Menu, TSymbol::Dl, TSymbol::BlockQuote};

constexpr std::size_t kMaxTitle = 1024;

}  // namespace

THtmlBuilder::THtmlBuilder(const TParseTarget& target, const TParseHandlers& handlers,
                           THtmlParser& results)
    : doc_(target.Document),
      anchors_(target.Anchors),
      forms_(target.Forms),
      handlers_(handlers),
      results_(results),
      cell_(&target.Document) {
  if (forms_) formBuilder_ = std::make_unique<TFormBuilder>(*forms_);
  if (handlers_.OnInclude) tokenizer_.SetIncludeHandler(handlers_.OnInclude);
  TFontDesc base;
  base.Numerator = kBaseNumerator;
  fonts_.Reset(base);
  FontChanged();
}

THtmlBuilder::~THtmlBuilder() = default;

void THtmlBuilder::ParseHtml(std::string_view text) {
  tokenizer_.Start(text, IsUtf8Page(text));
  try {
    Next();
    while (Sy() != TSymbol::EndOfInput) DoBody({});
  } catch (const EParseError& error) {
    results_.parseError_ = error.what();
  } catch (...) {
    Finish();
    throw;
  }
  Finish();
}

void THtmlBuilder::Finish() {
  CloseLink();
  cell_ = &doc_;
  FinishSection();
  fonts_.PopTo(1);
  link_.reset();
}

TSymbol THtmlBuilder::Next() {
  CheckCounts();
  const TSymbol symbol = tokenizer_.Next();
  switch (symbol) {
    case TSymbol::Text:
      if (tokenizer_.Preformatted || !IsBlank(tokenizer_.Token())) paraSpacePending_ = false;
      break;
    case TSymbol::Br:
    case TSymbol::H:
    case TSymbol::Hr:
    case TSymbol::Img:
    case TSymbol::Table:
    case TSymbol::Input:
    case TSymbol::TextArea:
    case TSymbol::Select:
      paraSpacePending_ = false;
      break;
    default:
      break;
  }
  return symbol;
}

// ---- Sections, fonts and links

TFontDesc THtmlBuilder::CurrentFont() const {
  TFontDesc font = fonts_.Top();
  font.Style |= style_;
  return font;
}

TSection& THtmlBuilder::Section() {
  if (!section_) NewSection(justify_);
  return *section_;
}

std::shared_ptr<TUrlTarget> THtmlBuilder::OpenLink() const {
  return linkOpen_ ? link_ : nullptr;
}

void THtmlBuilder::NewSection(TJustify justify) {
  FinishSection();
  if (inPre_)
    section_ = std::make_unique<TPreFormated>(doc_, CurrentFont(), OpenLink(), justify);
  else
    section_ = std::make_unique<TSection>(doc_, CurrentFont(), OpenLink(), justify);
  section_->SetListLevel(listLevel_);
  StartSection();
}

void THtmlBuilder::StartSection() {
  if (subSuper_ != TSubSuper::None) section_->ChangeFont(CurrentFont(), subSuper_);
}

void THtmlBuilder::FinishSection() {
  if (section_) AppendToCell(std::move(section_));
}

void THtmlBuilder::AppendToCell(std::unique_ptr<TSectionBase> section) {
  cell_->Add(std::move(section));
  ++sectionCount_;
}

void THtmlBuilder::CheckCounts() const {
  if (sectionCount_ >= kMaxSections) throw EParseError("Too Many Sections in File");
  if (doc_.ImageList.size() >= kMaxImages) throw EParseError("Too Many Images in File");
  if (doc_.LinkList.size() >= kMaxLinks) throw EParseError("Too Many Links in File");
  if (anchors_.Count() >= kMaxAnchors) throw EParseError("Too Many Anchors in File");
}

bool THtmlBuilder::PushFont() {
  return fonts_.Push();
}

void THtmlBuilder::PopFont() {
  fonts_.Pop();
  FontChanged();
}

void THtmlBuilder::PopFontsTo(std::size_t depth) {
  fonts_.PopTo(depth);
  FontChanged();
}

void THtmlBuilder::FontChanged() {
  const int charset = fonts_.Top().CharSet >= 0 ? fonts_.Top().CharSet : doc_.CharSet;
  tokenizer_.SetCodePage(CodePageOfCharset(charset));
  if (!section_) return;
  // Closing tags often give back the font already in use: no run for that.
  const TFontDesc font = CurrentFont();
  const TRunStyle& last = section_->LastStyle();
  if (last.Desc != font || last.SScript != subSuper_) section_->ChangeFont(font, subSuper_);
}

void THtmlBuilder::CloseLink() {
  if (!linkOpen_) return;
  linkOpen_ = false;
  if (linkFontPushed_) fonts_.Pop();
  linkFontPushed_ = false;
  FontChanged();
  if (section_) section_->EndLink(CurrentFont());
}

void THtmlBuilder::AddAnchor(const std::string& name) {
  std::string upper = UpperText(name);
  if (!upper.empty() && upper[0] == '#') upper.erase(0, 1);
  if (upper.empty()) return;
  TSection& section = Section();
  section.MarkAnchor();
  anchors_.Add(upper, section);
  anchoredSection_ = &section;
}

// ---- The body

void THtmlBuilder::DoBody(const TSymbolSet& terminators) {
  while (Sy() != TSymbol::EndOfInput && !terminators.Contains(Sy())) {
    switch (Sy()) {
      case TSymbol::Title:
        DoTitle();
        break;
      case TSymbol::Body:
        DoBodyTag();
        break;
      case TSymbol::Hr:
        DoRule();
        break;
      case TSymbol::Base:
        results_.base_ = Attributes().Text(TAttrSymbol::HREF);
        results_.baseTarget_ = Attributes().Text(TAttrSymbol::TARGET);
        Next();
        break;
      case TSymbol::Li:
        DoListItemOutsideList();
        break;
      case TSymbol::Center:
      case TSymbol::Div:
        DoDivision(terminators);
        break;
      case TSymbol::BgSound:
        if (handlers_.OnSoundRequest)
          handlers_.OnSoundRequest(Attributes().Text(TAttrSymbol::SRC),
                                   Attributes().Number(TAttrSymbol::LOOP, 1), false);
        Next();
        break;
      case TSymbol::Meta:
        DoMeta();
        break;
      default:
        if (IsListStart(Sy()))
          DoList(listLevel_ + 1, terminators);
        else if (IsInline(Sy()))
          DoInline();
        else
          Next();  // unknown tags, end tags without an action, misplaced table tags
        break;
    }
  }
}

bool THtmlBuilder::IsInline(TSymbol symbol) const {
  return kInlineSymbols.Contains(symbol);
}

bool THtmlBuilder::IsListStart(TSymbol symbol) {
  return kListStarts.Contains(symbol);
}

void THtmlBuilder::DoInline() {
  switch (Sy()) {
    case TSymbol::P:
    case TSymbol::PEnd:
      DoParagraph();
      break;
    case TSymbol::Br:
      DoBreak();
      break;
    case TSymbol::H:
      DoHeading();
      break;
    case TSymbol::HEnd:
      DoHeadingEnd();
      break;
    case TSymbol::Tt:
    case TSymbol::Code:
    case TSymbol::Kbd:
    case TSymbol::Samp:
      PushFixedPitchFont();
      Next();
      break;
    case TSymbol::TtEnd:
    case TSymbol::CodeEnd:
    case TSymbol::KbdEnd:
    case TSymbol::SampEnd:
    case TSymbol::FontEnd:
    case TSymbol::BigEnd:
    case TSymbol::SmallEnd:
      PopFont();
      Next();
      break;
    case TSymbol::Font:
    case TSymbol::BaseFont:
      DoFont(Sy() == TSymbol::BaseFont);
      break;
    case TSymbol::Big:
    case TSymbol::Small:
      DoBigSmall(Sy() == TSymbol::Big);
      break;
    case TSymbol::Address:
      FinishSection();
      if (PushFont()) fonts_.Top().Style |= TFontStyle::Italic;
      FontChanged();
      Next();
      break;
    case TSymbol::AddressEnd:
      FinishSection();
      PopFont();
      Next();
      break;
    case TSymbol::A:
      DoAnchor();
      break;
    case TSymbol::AEnd:
      CloseLink();
      Next();
      break;
    case TSymbol::Img:
      DoImage();
      break;
    case TSymbol::Text:
      // Spaces alone would only be dropped by a section that has nothing yet.
      if (section_ || tokenizer_.NoBreak || !IsBlank(tokenizer_.Token()))
        Section().AddTokenObj(tokenizer_.Token(), tokenizer_.NoBreak);
      Next();
      break;
    case TSymbol::NoBr:
    case TSymbol::NoBrEnd:
      tokenizer_.NoBreak = Sy() == TSymbol::NoBr;
      Next();
      break;
    case TSymbol::Wbr:
      if (tokenizer_.NoBreak) Section().AddChar(' ', tokenizer_.SymbolStart());
      Next();
      break;
    case TSymbol::Table:
      DoTable(justify_);
      break;
    case TSymbol::Pre:
      DoPre();
      break;
    case TSymbol::Form:
    case TSymbol::FormEnd:
      DoForm();
      break;
    case TSymbol::Input:
      DoInput();
      break;
    case TSymbol::Select:
      DoSelect();
      break;
    case TSymbol::TextArea:
      DoTextArea();
      break;
    case TSymbol::Map:
      DoMap();
      break;
    case TSymbol::Script:
      DoScript();
      break;
    default:
      DoStyle(Sy());
      Next();
      break;
  }
}

void THtmlBuilder::DoTitle() {
  std::string title;
  while (Next() == TSymbol::Text) {
    if (title.size() < kMaxTitle) title += tokenizer_.Token().S;
  }
  if (title.size() > kMaxTitle) title.resize(kMaxTitle);
  results_.title_ = TrimmedText(title);
}

void THtmlBuilder::DoBodyTag() {
  if (cell_ == &doc_ && doc_.Empty()) {
    const TAttributeList& attributes = Attributes();
    TColor color;
    if (ColorFromText(attributes.Text(TAttrSymbol::TEXT), color)) {
      fonts_.Base().Color = color;
      fonts_.Top().Color = color;
    }
    if (ColorFromText(attributes.Text(TAttrSymbol::LINK), color)) doc_.HotSpotColor = color;
    if (ColorFromText(attributes.Text(TAttrSymbol::VLINK), color)) doc_.LinkVisitedColor = color;
    if (ColorFromText(attributes.Text(TAttrSymbol::OLINK), color)) {
      doc_.LinkActiveColor = color;
      doc_.LinksActive = true;
    }
    if (ColorFromText(attributes.Text(TAttrSymbol::BGCOLOR), color)) {
      doc_.Background = color;
      if (handlers_.OnBackground) handlers_.OnBackground(color);
    }
    if (attributes.Has(TAttrSymbol::BACKGROUND))
      doc_.BitmapName = attributes.Text(TAttrSymbol::BACKGROUND);
    if (attributes.Has(TAttrSymbol::MARGINWIDTH))
      results_.margins_.Width = std::clamp(attributes.Number(TAttrSymbol::MARGINWIDTH), 0, 200);
    if (attributes.Has(TAttrSymbol::MARGINHEIGHT))
      results_.margins_.Height = std::clamp(attributes.Number(TAttrSymbol::MARGINHEIGHT), 0, 200);
    // What stood before BODY (the text of a STYLE or an unknown HEAD element) is not the
    // page. Anchors that stood in it move to the new section.
    const std::unique_ptr<TSection> dropped = std::move(section_);
    NewSection(justify_);
    if (dropped && dropped.get() == anchoredSection_) {
      anchors_.Repoint(dropped.get(), *section_);
      section_->MarkAnchor();
      anchoredSection_ = section_.get();
    }
  }
  Next();
}

void THtmlBuilder::DoRule() {
  FinishSection();
  AppendToCell(std::make_unique<THorzLine>(doc_, Attributes()));
  Next();
}

void THtmlBuilder::DoMeta() {
  const std::string httpEquiv = Attributes().Text(TAttrSymbol::HTTP_EQUIV);
  const std::string name = Attributes().Text(TAttrSymbol::NAME);
  const std::string content = Attributes().Text(TAttrSymbol::CONTENT);
  if (SameText(httpEquiv, "content-type")) {
    const int charset = CharsetFromContentType(content, -1);
    if (charset >= 0) {
      fonts_.Top().CharSet = static_cast<std::int16_t>(charset);
      FontChanged();
    }
  }
  if (handlers_.OnMeta) handlers_.OnMeta(httpEquiv, name, content);
  Next();
}

void THtmlBuilder::DoDivision(const TSymbolSet& terminators) {
  if (blockDepth_ >= kMaxBlockNesting) {
    Next();
    return;
  }
  const TSymbol end = Sy() == TSymbol::Center ? TSymbol::CenterEnd : TSymbol::DivEnd;
  FinishSection();
  const TJustify saved = justify_;
  if (Sy() == TSymbol::Center)
    justify_ = TJustify::Centre;
  else
    justify_ = AlignmentFromText(Attributes().Text(TAttrSymbol::ALIGN)).value_or(justify_);
  Next();
  ++blockDepth_;
  DoBody(terminators | TSymbolSet{end});
  --blockDepth_;
  FinishSection();
  justify_ = saved;
  if (Sy() == end) Next();
}

}  // namespace htmlview
