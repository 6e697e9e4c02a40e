// Lays out generated documents of about 10 KB, 100 KB, 1 MB and 10 MB of text (paragraphs
// with font runs and links, nested lists, floating images, tables with a table inside) on
// the test canvas, and prints per size the text measurements a layout makes and its time,
// each with the growth per tenfold size: near 10 means layout stays linear. The times
// also grow where a document no longer fits the processor's caches; the measurements
// count the work alone. Then tables nested 5 and 10 deep.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>
#include <string>

#include "Benchmarks.h"
#include "testing/TestCanvas.h"
#include "document/ListItems.h"
#include "document/Section.h"
#include "document/SectionList.h"
#include "document/Spaces.h"
#include "tables/HtmlTable.h"

namespace pavina::bench {

using htmlview::TAttribute;
using htmlview::TAttributeList;
using htmlview::TAttrSymbol;
using htmlview::TCell;
using htmlview::TCellObj;
using htmlview::TFontDesc;
namespace TFontStyle = htmlview::TFontStyle;
using htmlview::ThtmlTable;
using htmlview::TJustify;
using htmlview::TParagraphSpace;
using htmlview::TSection;
using htmlview::TSectionList;
using htmlview::TTestCanvas;
using htmlview::TUListItem;

namespace {

using TClock = std::chrono::steady_clock;

const char* const kWords =
    "Layout must stay linear in the size of the page, whatever the page holds. ";

TAttributeList Attributes(std::initializer_list<std::pair<TAttrSymbol, std::int32_t>> numbers) {
  TAttributeList list;
  for (const auto& [which, value] : numbers) {
    TAttribute attribute;
    attribute.Which = which;
    attribute.Value = value;
    attribute.Text = std::to_string(value);
    list.Add(attribute);
  }
  return list;
}

// Builds sections into a cell, counting the characters of text it adds.
class TGenerator {
 public:
  explicit TGenerator(TSectionList& doc) : doc_(doc) {}
  std::size_t Characters() const { return characters_; }

  void Paragraph(TCell& cell, int sentences) {
    auto section = std::make_unique<TSection>(doc_, TFontDesc{}, nullptr, TJustify::Left);
    for (int n = 0; n < sentences; ++n) {
      TFontDesc font;
      font.Style = n % 3 == 1 ? TFontStyle::Bold : 0;
      if (n % 4 == 2) {
        section->StartLink(doc_.NewLink("page.htm", ""), font);
        Add(*section, kWords);
        section->EndLink(TFontDesc{});
      } else {
        section->ChangeFont(font);
        Add(*section, kWords);
      }
    }
    cell.Add(std::move(section));
    cell.Add(std::make_unique<TParagraphSpace>(doc_));
  }

  void NestedList(TCell& cell) {
    for (int level = 1; level <= 3; ++level) {
      auto item =
          std::make_unique<TUListItem>(doc_, level, false, TFontDesc{}, nullptr, TJustify::Left);
      Add(*item, kWords);
      cell.Add(std::move(item));
    }
    auto back = std::make_unique<TSection>(doc_, TFontDesc{}, nullptr, TJustify::Left);
    Add(*back, kWords);
    cell.Add(std::move(back));
  }

  void Float(TCell& cell) {
    auto section = std::make_unique<TSection>(doc_, TFontDesc{}, nullptr, TJustify::Left);
    TAttributeList image = Attributes({{TAttrSymbol::WIDTH, 60}, {TAttrSymbol::HEIGHT, 40}});
    TAttribute align;
    align.Which = TAttrSymbol::ALIGN;
    align.Text = "left";
    image.Add(align);
    section->AddImage(image, 0, false);
    for (int n = 0; n < 3; ++n) Add(*section, kWords);
    cell.Add(std::move(section));
  }

  // A table of rows x columns with a sentence in each cell, and a table `depth` - 1 deep
  // in its first cell.
  void Table(TCell& cell, int rows, int columns, int depth) {
    auto table = std::make_unique<ThtmlTable>(
        doc_, Attributes({{TAttrSymbol::BORDER, 1}, {TAttrSymbol::CELLPADDING, 2}}), cell,
        TJustify::Left, 0);
    for (int r = 0; r < rows; ++r) {
      table->AddRow({});
      for (int c = 0; c < columns; ++c) {
        TCellObj& tableCell = table->AddCell({});
        if (r == 0 && c == 0 && depth > 1) Table(tableCell.Cell, 2, 2, depth - 1);
        auto section = std::make_unique<TSection>(doc_, TFontDesc{}, nullptr, TJustify::Left);
        Add(*section, kWords);
        tableCell.Cell.Add(std::move(section));
      }
    }
    cell.Add(std::move(table));
  }

 private:
  void Add(TSection& section, const std::string& text) {
    section.AddText(text, static_cast<std::int32_t>(characters_));
    characters_ += text.size();
  }

  TSectionList& doc_;
  std::size_t characters_ = 0;
};

// Milliseconds for one layout: the first after building, and the best of as many more as
// fill a third of a second (the machine may be busy with other work meanwhile).
struct TTimes {
  double first = 0;
  double best = 0;
};

TTimes LayoutMilliseconds(TSectionList& doc, std::int32_t width) {
  TTimes times{0, 1e9};
  const auto begin = TClock::now();
  for (int run = 0; run < 3 || TClock::now() - begin < std::chrono::milliseconds(300); ++run) {
    std::int32_t widest = 0;
    const auto start = TClock::now();
    doc.DoLogic(5, width, widest);
    const double ms = std::chrono::duration<double, std::milli>(TClock::now() - start).count();
    if (run == 0) times.first = ms;
    times.best = std::min(times.best, ms);
  }
  return times;
}

}  // namespace

int RunLayoutBench() {
  TTimes previous;
  double previousMeasurements = 0;
  for (const std::size_t target : {10'000u, 100'000u, 1'000'000u, 10'000'000u}) {
    TTestCanvas canvas;
    TSectionList doc(canvas);
    TGenerator generate(doc);
    for (int unit = 0; generate.Characters() < target; ++unit) {
      generate.Paragraph(doc, 6);
      generate.NestedList(doc);
      generate.Float(doc);
      if (unit % 2 == 0) generate.Table(doc, 3, 3, 2);
    }
    const std::int64_t before = canvas.Measurements();
    std::int32_t widest = 0;
    doc.DoLogic(5, 600, widest);
    const std::int64_t measurements = canvas.Measurements() - before;
    const TTimes times = LayoutMilliseconds(doc, 600);
    std::printf("%8zu characters, %6zu sections: %8lld text measurements", generate.Characters(),
                doc.Count(), static_cast<long long>(measurements));
    if (previousMeasurements > 0)
      std::printf(" (x%4.1f)", static_cast<double>(measurements) / previousMeasurements);
    std::printf(", first %8.2f ms", times.first);
    if (previous.first > 0) std::printf(" (x%4.1f)", times.first / previous.first);
    std::printf(", best %8.2f ms", times.best);
    if (previous.best > 0) std::printf(" (x%4.1f)", times.best / previous.best);
    std::printf("\n");
    previousMeasurements = static_cast<double>(measurements);
    previous = times;
  }

  // Tables nested inside tables: every level lays its cells out once.
  for (const int depth : {5, 10}) {
    TTestCanvas canvas;
    TSectionList doc(canvas);
    TGenerator generate(doc);
    generate.Table(doc, 2, 2, depth);
    std::printf("tables nested %2d deep: %9.3f ms\n", depth, LayoutMilliseconds(doc, 600).best);
  }
  return 0;
}

}  // namespace pavina::bench
