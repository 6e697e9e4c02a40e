#include <limits>

#include "document/ListItems.h"
#include "document/SectionList.h"
#include "parser/HtmlBuilder.h"

namespace htmlview {

namespace {

const TSymbolSet kListEnds = {TSymbol::OlEnd,   TSymbol::UlEnd, TSymbol::DirEnd,
                              TSymbol::MenuEnd, TSymbol::DlEnd, TSymbol::BlockQuoteEnd};

}  // namespace

void THtmlBuilder::DoList(std::int32_t depth, const TSymbolSet& terminators) {
  if (blockDepth_ >= kMaxBlockNesting) {
    Next();
    return;
  }
  const bool ordered = Sy() == TSymbol::Ol;
  const TAttributeList& attributes = Attributes();
  std::int32_t number = 1;
  char numbering = '1';
  bool plain = false;
  if (ordered) {
    if (attributes.Has(TAttrSymbol::START) && attributes.Number(TAttrSymbol::START) >= 0)
      number = attributes.Number(TAttrSymbol::START);
    const std::string type = attributes.Text(TAttrSymbol::TYPE);
    if (!type.empty()) numbering = type[0];
  } else if (Sy() == TSymbol::Ul) {
    plain = attributes.Has(TAttrSymbol::PLAIN);
  }

  FinishSection();
  const std::int32_t savedLevel = listLevel_;
  listLevel_ = depth;
  ++blockDepth_;
  // A division inside an item ends where the item does.
  const TSymbolSet itemEnds =
      terminators | kListEnds | TSymbolSet{TSymbol::Li, TSymbol::Dd, TSymbol::Dt};
  Next();
  while (Sy() != TSymbol::EndOfInput && !kListEnds.Contains(Sy()) && !terminators.Contains(Sy())) {
    switch (Sy()) {
      case TSymbol::Li:
        FinishSection();
        if (ordered) {
          section_ = std::make_unique<TOListItem>(doc_, depth, number, numbering, CurrentFont(),
                                                  OpenLink(), justify_);
          // Items after the largest number keep it.
          if (number < std::numeric_limits<std::int32_t>::max()) ++number;
        } else {
          section_ =
              std::make_unique<TUListItem>(doc_, depth, plain, CurrentFont(), OpenLink(), justify_);
        }
        StartSection();
        if (Next() == TSymbol::P) Next();
        break;
      case TSymbol::Dd:
      case TSymbol::Dt:
        FinishSection();
        section_ = std::make_unique<TDListItem>(doc_, Sy() == TSymbol::Dd ? depth : depth - 1,
                                                CurrentFont(), OpenLink(), justify_);
        StartSection();
        Next();
        break;
      case TSymbol::Hr:
        DoRule();
        break;
      case TSymbol::Center:
      case TSymbol::Div:
        DoDivision(itemEnds);
        break;
      case TSymbol::Table:
        DoTable(section_ ? section_->Justify() : justify_);
        break;
      default:
        if (IsListStart(Sy()))
          DoList(depth + 1, terminators);
        else if (IsInline(Sy()))
          DoInline();
        else
          Next();
        break;
    }
  }
  FinishSection();
  listLevel_ = savedLevel;
  --blockDepth_;
  if (kListEnds.Contains(Sy())) Next();
}

void THtmlBuilder::DoListItemOutsideList() {
  FinishSection();
  auto item = std::make_unique<TUListItem>(doc_, 1, false, CurrentFont(), OpenLink(), justify_);
  item->MarkOutsideList();
  section_ = std::move(item);
  StartSection();
  Next();
  while (IsInline(Sy())) DoInline();
  FinishSection();
}

}  // namespace htmlview
