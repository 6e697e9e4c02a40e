#include "document/SectionList.h"
#include "parser/HtmlBuilder.h"
#include "tables/HtmlTable.h"

namespace htmlview {

namespace {

// A cell's content runs to the next of these.
const TSymbolSet kCellEnds = {TSymbol::Td,      TSymbol::Th,         TSymbol::Tr,
                              TSymbol::Caption, TSymbol::TdEnd,      TSymbol::ThEnd,
                              TSymbol::TrEnd,   TSymbol::CaptionEnd, TSymbol::TableEnd};

}  // namespace

void THtmlBuilder::DoTable(TJustify justify) {
  if (blockDepth_ >= kMaxBlockNesting) {
    Next();
    return;
  }
  CloseLink();
  FinishSection();
  TCell* const enclosing = cell_;
  auto table = std::make_unique<ThtmlTable>(doc_, Attributes(), *enclosing, justify, listLevel_);
  const std::size_t fontDepth = fonts_.Depth();
  const std::uint8_t savedStyle = style_;
  const bool savedNoBreak = tokenizer_.NoBreak;
  const TJustify savedJustify = justify_;
  const std::int32_t savedLevel = listLevel_;
  ++tableDepth_;
  ++blockDepth_;

  // Text between cells goes into the cell that holds the table.
  auto finishCell = [&] {
    FinishSection();
    cell_ = enclosing;
    justify_ = savedJustify;
    listLevel_ = savedLevel;
    // A NOWRAP cell's no-break mode would turn the line ends between cells into lines of
    // no-break spaces above the table.
    tokenizer_.NoBreak = savedNoBreak;
  };
  // Each cell and the caption start from the table's own link, fonts and styles: what an
  // unclosed cell opened ends with it.
  auto resetForCell = [&] {
    CloseLink();
    finishCell();
    PopFontsTo(fontDepth);
    style_ = savedStyle;
    tokenizer_.NoBreak =
        Attributes().Has(TAttrSymbol::NOWRAP) && !Attributes().Has(TAttrSymbol::WIDTH);
  };
  auto enterCell = [&](TCellObj& cell, TJustify cellJustify) {
    cell_ = &cell.Cell;
    justify_ = cellJustify;
    listLevel_ = 0;
    FontChanged();
    Next();
    DoBody(kCellEnds);
  };

  std::optional<TJustify> rowAlignment;
  // The table goes into the document however its reading ends: a comment open at the end
  // or a handler's exception must not take its cells (and the anchors in them) along.
  auto closeTable = [&] {
    CloseLink();
    finishCell();
    PopFontsTo(fontDepth);
    AppendToCell(std::move(table));
    style_ = savedStyle;
    tokenizer_.NoBreak = savedNoBreak;
    FontChanged();
    --tableDepth_;
    --blockDepth_;
  };
  try {
    Next();
    while (Sy() != TSymbol::TableEnd && Sy() != TSymbol::EndOfInput) {
      switch (Sy()) {
        case TSymbol::Tr:
          ++sectionCount_;
          finishCell();
          table->AddRow(Attributes());
          rowAlignment = AlignmentFromText(Attributes().Text(TAttrSymbol::ALIGN));
          Next();
          break;
        case TSymbol::Td:
        case TSymbol::Th: {
          const bool heading = Sy() == TSymbol::Th;
          ++sectionCount_;
          resetForCell();
          if (heading) style_ |= TFontStyle::Bold;
          if (!table->OpenRow()) rowAlignment.reset();  // the table starts a row of its own
          const TJustify alignment =
              AlignmentFromText(Attributes().Text(TAttrSymbol::ALIGN))
                  .value_or(rowAlignment.value_or(heading ? TJustify::Centre : TJustify::Left));
          enterCell(table->AddCell(Attributes()), alignment);
          break;
        }
        case TSymbol::Caption:
          ++sectionCount_;
          resetForCell();
          enterCell(table->SetCaption(Attributes()), TJustify::Centre);
          finishCell();
          if (Sy() == TSymbol::CaptionEnd) Next();
          break;
        case TSymbol::TrEnd:
          finishCell();
          table->CloseRow();
          rowAlignment.reset();
          Next();
          break;
        case TSymbol::TdEnd:
        case TSymbol::ThEnd:
        case TSymbol::CaptionEnd:
          finishCell();
          Next();
          break;
        default:
          DoBody(kCellEnds);
          break;
      }
    }
  } catch (...) {
    closeTable();
    throw;
  }
  closeTable();
  if (Sy() == TSymbol::TableEnd) Next();
}

}  // namespace htmlview
