#pragma once

#include <cstdint>
#include <string>

#include "Section.h"

namespace htmlview {

// A list item with a bullet, or with none when its list is PLAIN.
class TUListItem : public TSection {
 public:
  TUListItem(TSectionList& doc, std::int32_t level, bool plain, const TFontDesc& font,
             std::shared_ptr<TUrlTarget> link, TJustify justify);
  // An LI met outside any list: indented by the marker's room only.
  void MarkOutsideList() { SetOutsideList(); }

 protected:
  void DrawMarker(const LineRec& line, std::int32_t x) override;
  const char* KindName() const override { return "TUListItem"; }
};

// A numbered list item: the number and the numbering style ('1', 'A', 'a', 'I', 'i').
class TOListItem : public TUListItem {
 public:
  TOListItem(TSectionList& doc, std::int32_t level, std::int32_t number, char style,
             const TFontDesc& font, std::shared_ptr<TUrlTarget> link, TJustify justify);
  std::int32_t Number() const { return number_; }
  char Style() const { return style_; }

 protected:
  void DrawMarker(const LineRec& line, std::int32_t x) override;
  const char* KindName() const override { return "TOListItem"; }
  void DumpDetails(std::string& out) const override;

 private:
  std::int32_t number_;
  char style_;
};

// A definition-list item (DT or DD): indented, without a marker.
class TDListItem : public TUListItem {
 public:
  TDListItem(TSectionList& doc, std::int32_t level, const TFontDesc& font,
             std::shared_ptr<TUrlTarget> link, TJustify justify);

 protected:
  const char* KindName() const override { return "TDListItem"; }
};

// The text of a number marker without its full stop: decimal, a letter ("A"/"a" + number
// - 1, at most the 26th) or a Roman numeral ("I"/"i", up to 20).
std::string ListNumberText(std::int32_t number, char style);

}  // namespace htmlview
