#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "testing/TestCanvas.h"
#include "document/Attributes.h"
#include "document/ListItems.h"
#include "document/Section.h"
#include "document/SectionList.h"

namespace htmlview {

// Attributes written as in a tag: `SRC=a.gif ALT="two words" WIDTH=50% NOSHADE`. Names
// are the attribute table's; a number is read as the parser reads one.
TAttributeList Attrs(std::string_view text);

// Builds documents tersely, the way the parser drives the model: text goes into the
// current section (started when needed with the current font, link and alignment), and
// block calls finish it and append it to the cell being filled. Source indexes run on
// from 0 as text is added.
class TDocBuilder {
 public:
  explicit TDocBuilder(TCell& cell);
  ~TDocBuilder();

  TDocBuilder& Text(std::string_view text);
  // Text read in no-break mode (spaces given as the code 5).
  TDocBuilder& NoBreakText(std::string_view text);
  TDocBuilder& Style(std::uint8_t style);  // TFontStyle bits
  TDocBuilder& Size(std::int32_t numerator);
  TDocBuilder& Fixed(bool fixedPitch);
  TDocBuilder& Script(TSubSuper mode);
  TDocBuilder& Color(TColor color);
  TDocBuilder& Link(const std::string& url);
  TDocBuilder& EndLink();
  TDocBuilder& Image(std::string_view attributes);
  TImageObj* LastImage() const { return lastImage_; }
  TDocBuilder& Control(TInlineControlObj& control);

  // Blocks.
  TDocBuilder& Align(TJustify justify);  // for the sections that start from now on
  TDocBuilder& Para();                   // section finished, paragraph space
  TDocBuilder& Br(std::string_view clear = "");
  TDocBuilder& Heading(std::int32_t level);  // heading space
  TDocBuilder& Hr(std::string_view attributes = "");
  TDocBuilder& Pre(std::string_view line);  // one preformatted line
  TDocBuilder& Bullet(std::int32_t level, bool plain = false);
  TDocBuilder& Number(std::int32_t level, std::int32_t number, char style = '1');
  TDocBuilder& Definition(std::int32_t level);
  // A plain section at a list level (text inside a list but outside an item).
  TDocBuilder& Level(std::int32_t level);
  // Appends any section, finishing the current one first.
  TDocBuilder& Section(std::unique_ptr<TSectionBase> section);

  // Finishes the current section (the builder does this when it goes away too).
  void Finish();
  TSection& Current();
  std::int32_t SourceIndex() const { return source_; }

 private:
  TDocBuilder& FontChanged();
  void Start(std::unique_ptr<TSection> section);

  TCell& cell_;
  TSectionList& doc_;
  std::unique_ptr<TSection> current_;
  TFontDesc font_;
  TSubSuper script_ = TSubSuper::None;
  std::shared_ptr<TUrlTarget> link_;
  TJustify justify_ = TJustify::Left;
  std::int32_t level_ = 0;
  std::int32_t source_ = 0;
  TImageObj* lastImage_ = nullptr;
};

// A document on a test canvas, white, with the control's default colours.
struct TTestDocument {
  TTestCanvas canvas;
  TSectionList doc{canvas};
  TTestDocument() { doc.Background = kWhite; }
};

// Lays the document out for `width` at top 5 and draws all of it at left 10: the layout
// dump followed by the draw calls.
std::string LayoutAndDrawDump(TTestDocument& test, std::int32_t width);

}  // namespace htmlview
