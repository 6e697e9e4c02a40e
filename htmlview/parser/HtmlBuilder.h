#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "document/Section.h"
#include "parser/FontStack.h"
#include "parser/HtmlParser.h"
#include "parser/Symbols.h"
#include "parser/Tokenizer.h"

namespace htmlview {

class TCell;
class TFormBuilder;
class TFormControlObj;
class ThtmlTable;

// One parse: a recursive-descent reader over the tokenizer's symbols that builds sections,
// tables, lists and form controls into the document. Every handler starts at its symbol
// and leaves the tokenizer at the first symbol it did not take.
class THtmlBuilder {
 public:
  // Blocks (lists, DIV, CENTER, tables) nest at most this deep; deeper start tags are
  // skipped, so that a page of endless nesting cannot exhaust the stack here or in layout.
  static constexpr int kMaxBlockNesting = 40;
  // A page holds at most this many sections, table rows and cells together. Each costs a
  // few hundred bytes, so that a page of nothing but line breaks would otherwise take a
  // hundred times its size; past the limit the parse ends as at a comment left open, and
  // what was built stays.
  static constexpr std::size_t kMaxSections = 250000;
  // The same for images, links and anchor names: each is an object of its own (an image
  // a few hundred bytes with its attributes), which the page could otherwise make five
  // bytes apiece.
  static constexpr std::size_t kMaxImages = 50000;
  static constexpr std::size_t kMaxLinks = 100000;
  static constexpr std::size_t kMaxAnchors = 100000;

  THtmlBuilder(const TParseTarget& target, const TParseHandlers& handlers, THtmlParser& results);
  ~THtmlBuilder();

  // Parses the whole text. Ends with the unfinished section appended, also when a parse
  // error or a handler's exception ends it (the parse error is absorbed).
  void ParseHtml(std::string_view text);
  void ParsePlainText(std::string_view text);

 private:
  void Finish();

  // Reading.
  TSymbol Sy() const { return tokenizer_.Symbol(); }
  TSymbol Next();
  const TAttributeList& Attributes() const { return tokenizer_.Attributes(); }

  // Sections, fonts, links.
  TFontDesc CurrentFont() const;
  TSection& Section();  // the current section, made when there is none
  // A new section in the current font, link and list level (the current one finished).
  void NewSection(TJustify justify);
  // What every new section (list items too) takes on: sub- or superscript.
  void StartSection();
  void FinishSection();
  void AppendToCell(std::unique_ptr<TSectionBase> section);
  // Throws EParseError once the page holds kMaxSections, kMaxImages, kMaxLinks or
  // kMaxAnchors. Checked as each symbol is read, never while what is open is being closed.
  void CheckCounts() const;
  std::shared_ptr<TUrlTarget> OpenLink() const;
  bool PushFont();
  void PushFixedPitchFont();
  void PopFont();
  void PopFontsTo(std::size_t depth);
  // The top font or the style flags changed: the current section follows.
  void FontChanged();
  void CloseLink();
  void AddAnchor(const std::string& name);
  // The size scale of FONT, BIG and SMALL: smaller inside PRE.
  const std::int32_t* SizeScale() const;

  // Algorithms of the body.
  void DoBody(const TSymbolSet& terminators);
  bool IsInline(TSymbol symbol) const;
  static bool IsListStart(TSymbol symbol);
  static bool IsStyleSymbol(TSymbol symbol);
  void DoInline();
  void DoTitle();
  void DoBodyTag();
  void DoMeta();
  void DoRule();
  void DoDivision(const TSymbolSet& terminators);
  void DoListItemOutsideList();
  void DoList(std::int32_t depth, const TSymbolSet& terminators);
  void DoParagraph();
  void DoBreak();
  void DoHeading();
  void DoHeadingEnd();
  void DoStyle(TSymbol symbol);
  void DoFont(bool isBaseFont);
  void DoBigSmall(bool bigger);
  void DoAnchor();
  void DoImage();
  // `justify` is the alignment of the text where the table starts.
  void DoTable(TJustify justify);
  void DoPre();
  void DoForm();
  // Puts a control into the current section (an image control as its image).
  void AddControl(TFormControlObj& control, std::int32_t sourceIndex);
  void DoInput();
  void DoSelect();
  void DoTextArea();
  void DoMap();
  void DoScript();

  // Raw text up to the end tag `endTag` ("</script" in lower case) in any case, not
  // followed by a letter; the tokenizer is left at its "<".
  std::string ReadRawText(std::string_view endTag, bool decodeEntities, bool crLf);

  TSectionList& doc_;
  TAnchorList& anchors_;
  TDocumentForms* forms_;
  const TParseHandlers& handlers_;
  THtmlParser& results_;
  THtmlTokenizer tokenizer_;
  std::unique_ptr<TFormBuilder> formBuilder_;

  TFontStack fonts_;
  std::uint8_t style_ = 0;
  TSubSuper subSuper_ = TSubSuper::None;
  std::shared_ptr<TUrlTarget> link_;
  bool linkOpen_ = false;
  bool linkFontPushed_ = false;

  std::unique_ptr<TSection> section_;
  const TSection* anchoredSection_ = nullptr;  // the last section an anchor stands in
  TCell* cell_;
  TJustify justify_ = TJustify::Left;
  std::int32_t listLevel_ = 0;
  int baseFontSize_ = 3;
  int tableDepth_ = 0;
  std::size_t sectionCount_ = 0;
  int blockDepth_ = 0;
  bool inPre_ = false;
  bool paraSpacePending_ = false;
};

}  // namespace htmlview
