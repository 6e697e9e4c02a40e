#include "document/Cell.h"
#include "document/SectionList.h"
#include "parser/CodePages.h"
#include "parser/FontSizes.h"
#include "parser/HtmlBuilder.h"
#include "parser/ParseError.h"
#include "parser/SourceReader.h"
#include "parser/Utf8.h"

namespace htmlview {

namespace {

// The tags that act inside PRE as they do elsewhere (besides the style tags).
const TSymbolSet kActInsidePre = {TSymbol::Img,      TSymbol::A,       TSymbol::AEnd,
                                  TSymbol::Input,    TSymbol::Select,  TSymbol::TextArea,
                                  TSymbol::Form,     TSymbol::FormEnd, TSymbol::Font,
                                  TSymbol::BaseFont, TSymbol::Map,     TSymbol::Script};

}  // namespace

void THtmlBuilder::DoPre() {
  FinishSection();
  const std::size_t fontDepth = fonts_.Depth();
  PushFixedPitchFont();
  inPre_ = true;
  tokenizer_.Preformatted = true;
  NewSection(justify_);
  // A line end straight after <PRE> only lays out the source.
  if (Next() == TSymbol::LineEnd) Next();
  bool done = false;
  while (!done) {
    switch (Sy()) {
      case TSymbol::Text:
        Section().AddTokenObj(tokenizer_.Token(), false);
        Next();
        break;
      case TSymbol::LineEnd:
        NewSection(justify_);
        Next();
        break;
      case TSymbol::P:
      case TSymbol::Br:
        NewSection(justify_);
        if (Next() == TSymbol::LineEnd) Next();
        break;
      case TSymbol::FontEnd:
        // Only fonts opened inside the block close here.
        if (fonts_.Depth() > fontDepth + 1) PopFont();
        Next();
        break;
      case TSymbol::PreEnd:
      case TSymbol::TdEnd:
      case TSymbol::ThEnd:
      case TSymbol::EndOfInput:
        done = true;
        break;
      default:
        if (IsStyleSymbol(Sy()) || kActInsidePre.Contains(Sy()))
          DoInline();
        else
          Next();
        break;
    }
  }
  // The line end before </PRE> ends the last line; it starts no empty one.
  if (section_ && section_->IsEmpty() && section_.get() != anchoredSection_) section_.reset();
  FinishSection();
  inPre_ = false;
  tokenizer_.Preformatted = false;
  PopFontsTo(fontDepth);
  if (Sy() == TSymbol::PreEnd) Next();
}

void THtmlBuilder::ParsePlainText(std::string_view text) {
  TFontDesc base;
  base.FixedPitch = true;
  base.Numerator = kFixedPitchNumerator;
  fonts_.Reset(base);
  inPre_ = true;
  FontChanged();
  TSourceReader reader;
  reader.SetCodePage(CodePageOfCharset(doc_.CharSet));
  reader.Start(text, IsUtf8Text(text));
  TokenObj token;
  auto flush = [&] {
    Section().AddTokenObj(token, false);
    token.Clear();
  };
  try {
    NewSection(TJustify::Left);
    for (; !reader.AtEnd(); reader.Next()) {
      const int c = reader.Ch();
      if (c == '\r') {
        flush();
        CheckCounts();
        NewSection(TJustify::Left);
        continue;
      }
      // Control characters would read as the section's marks for images and controls.
      token.Add(c < ' ' ? ' ' : static_cast<char>(c), reader.SourceIndex());
      if (token.Size() >= THtmlTokenizer::kPreformattedRun) flush();
    }
    flush();
  } catch (const EParseError& error) {
    results_.parseError_ = error.what();
  } catch (...) {
    Finish();
    throw;
  }
  Finish();
}

}  // namespace htmlview
