#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "Attributes.h"
#include "FontObj.h"
#include "ImageObj.h"
#include "IndexObj.h"
#include "LineRec.h"
#include "PackedText.h"
#include "SectionBase.h"
#include "SectionBuilding.h"
#include "TokenObj.h"

namespace htmlview {

class TInlineControlObj;

// CLEAR of a BR: "left", "right", anything else both.
enum class TClearType : std::uint8_t { None = 0, Left = 1, Right = 2, All = 3 };
TClearType ClearFromText(const std::string& text);

enum class TMarkerKind : std::uint8_t { None = 0, Number = 1, Bullet = 2, Definition = 3 };

// Marks in a section's buffer.
namespace TBufferMark {
constexpr char Image = 4;
constexpr char ImageNoBreak = 7;
constexpr char Control = 2;
constexpr char ControlNoBreak = 6;
constexpr char NoBreakCode = 5;  // the parser's space in no-break text; never stored
constexpr char NoBreakSpace = static_cast<char>(160);
}  // namespace TBufferMark

// One block of text: its characters, font runs, images and form controls, laid out into
// lines.
class TSection : public TSectionBase {
 public:
  // Starts with one run in `font`, inside `link` when it is given.
  TSection(TSectionList& doc, const TFontDesc& font, std::shared_ptr<TUrlTarget> link,
           TJustify justify);
  ~TSection() override;

  // Building (before Finish).
  virtual void AddChar(char ch, std::int32_t sourceIndex);
  // Adds text, keeping white space single (see the folding rules in Section.cpp).
  virtual void AddTokenObj(const TokenObj& token, bool noBreak);
  // The same for text read from consecutive source indexes.
  void AddText(std::string_view text, std::int32_t firstSourceIndex, bool noBreak = false);
  // The font from the current end on (inside the current link, if one is open).
  void ChangeFont(const TFontDesc& font, TSubSuper mode = TSubSuper::None);
  // A link starts (ends) at the current end, in `font`.
  void StartLink(std::shared_ptr<TUrlTarget> link, const TFontDesc& font);
  void EndLink(const TFontDesc& font);
  TImageObj* AddImage(const TAttributeList& attributes, std::int32_t sourceIndex, bool noBreak);
  void AddControl(TInlineControlObj& control, std::int32_t sourceIndex, bool noBreak);
  void SetClear(TClearType clear) { clear_ = clear; }
  void SetJustify(TJustify justify) { justify_ = justify; }
  void SetListLevel(std::int32_t level);
  // An anchor stands in the section: it is kept even when it holds nothing.
  void MarkAnchor() { anchor_ = true; }
  // Compresses the source indexes; false for an empty section that can be dropped.
  bool Finish() override;

  // Reading.
  std::string_view Buffer() const { return building_ ? building_->text : packed_.Text(); }
  TSpan<TFontObj> Fonts() const { return building_ ? building_->runs : packed_.Runs(); }
  const std::vector<LineRec>& Lines() const { return lines_; }
  const std::vector<std::unique_ptr<TImageObj>>& Images() const {
    static const std::vector<std::unique_ptr<TImageObj>> none;
    return objects_ ? objects_->images : none;
  }
  const std::vector<TInlineControlObj*>& Controls() const {
    static const std::vector<TInlineControlObj*> none;
    return objects_ ? objects_->controls : none;
  }
  TJustify Justify() const { return justify_; }
  TClearType Clear() const { return clear_; }
  std::int32_t ListLevel() const { return listLevel_; }
  TMarkerKind MarkerKind() const { return marker_; }
  // The style of a run, and of the last run (the current one while building).
  const TRunStyle& StyleOf(const TFontObj& run) const;
  const TRunStyle& LastStyle() const { return StyleOf(Fonts().back()); }
  bool IsEmpty() const { return Buffer().empty(); }

  void CopyToClipboard(std::string& text) const override;
  std::int32_t DrawLogic(std::int32_t y, IndentManager& imgr, std::int32_t& maxWidth,
                         std::int32_t& curs) override;
  std::int32_t Draw(const TRect& clip, std::int32_t clipWidth, std::int32_t x,
                    std::int32_t y) override;
  bool GetURL(std::int32_t x, std::int32_t y, TLinkHit& hit) const override;
  bool PtInObject(std::int32_t x, std::int32_t y, TImageHit& hit) const override;
  std::int32_t FindCursor(std::int32_t x, std::int32_t y, TCursorHit& hit) const override;
  std::int32_t FindString(std::int32_t from, const std::string& text,
                          bool matchCase) const override;
  std::int32_t FindSourcePos(std::int32_t docPos) const override;
  std::int32_t FindDocPos(std::int32_t sourcePos, bool prev) const override;
  bool CursorToXY(std::int32_t cursor, std::int32_t& x, std::int32_t& y) const override;
  bool GetChAtPos(std::int32_t pos, char& ch) const override;
  void UpdateFonts() override;
  void MinMaxWidth(std::int32_t& min, std::int32_t& max) const override;
  void ShiftY(std::int32_t dy) override;
  void HideControls(bool offScreen) override;
  void Dump(std::string& out, int indent) const override;

 protected:
  // What a line may not exceed: 32,000 for preformatted lines, which never wrap.
  virtual bool Wraps() const { return true; }
  // Draws the list marker of the first line.
  virtual void DrawMarker(const LineRec& /*line*/, std::int32_t /*x*/) {}
  // The class name and anything particular to it, for Dump.
  virtual const char* KindName() const { return "TSection"; }
  virtual void DumpDetails(std::string& /*out*/) const {}

  void SetMarker(TMarkerKind marker) { marker_ = marker; }
  // A list item outside any list indents by the marker's room only.
  void SetOutsideList() { outsideList_ = true; }
  const TRunStyle& FirstStyle() const { return StyleOf(Fonts().front()); }

 private:
  struct TLineBuilder;
  friend struct TLineBuilder;
  // The images and form controls in the text, which most sections have none of.
  struct TObjects {
    std::vector<std::int32_t> marks;  // positions of their marks, ascending
    std::vector<std::unique_ptr<TImageObj>> images;
    std::vector<TInlineControlObj*> controls;
  };

  TObjects& Objects();
  const std::vector<std::int32_t>& Marks() const {
    static const std::vector<std::int32_t> none;
    return objects_ ? objects_->marks : none;
  }
  void AddRun(const TFontDesc& font, TSubSuper mode, const std::shared_ptr<TUrlTarget>& link);
  void AppendChar(char ch, std::int32_t sourceIndex);
  std::size_t RunAt(std::int32_t pos, std::size_t hint) const;
  std::int32_t ClearHeight(std::int32_t y, const IndentManager& imgr) const;
  void MeasureFonts() const;
  TImageObj* ImageAt(std::int32_t pos) const;
  TInlineControlObj* ControlAt(std::int32_t pos) const;
  // The room the mark at pos takes in its line (floating images take none).
  std::int32_t MarkWidth(std::int32_t pos) const;
  // Width of the buffer's [from, to) as drawn in one line (floating images take none).
  std::int32_t WidthOf(std::int32_t from, std::int32_t to) const;
  // How far a line from `start` reaches in `room` pixels: the end of what fits, at least
  // one character past any leading floats.
  std::int32_t FitEnd(std::int32_t start, std::int32_t room) const;
  std::int32_t BreakLine(std::int32_t start, std::int32_t fitEnd) const;
  void PlaceFloat(TImageObj& image, std::int32_t y, IndentManager& imgr);
  void FinishLine(LineRec& line, IndentManager& imgr, std::int32_t& maxWidth);
  void DrawText(std::int32_t from, std::int32_t to, std::int32_t x, std::int32_t baseline);
  void DrawLine(const LineRec& line, std::int32_t x, std::int32_t clipWidth);
  std::int32_t LineIndexAtY(std::int32_t y) const;
  std::int32_t LineIndexOfPos(std::int32_t pos) const;
  std::int32_t XOfPos(const LineRec& line, std::int32_t pos) const;
  std::int32_t PosAtX(const LineRec& line, std::int32_t x, bool& inText) const;

  // A document holds thousands of sections: the members are ordered to leave no gaps.
  TJustify justify_;
  TClearType clear_ = TClearType::None;
  TMarkerKind marker_ = TMarkerKind::None;
  std::uint8_t listLevel_ = 0;  // 0..IndentManager::kMaxListLevel
  bool anchor_ = false;
  bool outsideList_ = false;
  TPackedText packed_;  // text, runs and source indexes once finished
  std::vector<LineRec> lines_;
  std::unique_ptr<TObjects> objects_;           // null while there are none
  std::unique_ptr<TSectionBuilding> building_;  // null once finished (packed_ holds the text)
};

// One line of preformatted text: never wraps; ignores text beyond 20,000 characters.
class TPreFormated : public TSection {
 public:
  static constexpr std::size_t kMaxLength = 20000;
  static constexpr std::int32_t kMaxMinWidth = 2000;

  using TSection::TSection;
  void AddChar(char ch, std::int32_t sourceIndex) override;
  void AddTokenObj(const TokenObj& token, bool noBreak) override;
  bool Finish() override;
  std::int32_t DrawLogic(std::int32_t y, IndentManager& imgr, std::int32_t& maxWidth,
                         std::int32_t& curs) override;
  void MinMaxWidth(std::int32_t& min, std::int32_t& max) const override;

 protected:
  bool Wraps() const override { return false; }
  const char* KindName() const override { return "TPreFormated"; }
};

}  // namespace htmlview
