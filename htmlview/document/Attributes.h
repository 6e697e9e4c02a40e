#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "images/Color.h"

namespace htmlview {

// The attributes of one tag as the parser read them, in the form in which the document,
// tables and forms take them. The parser knows the names; everything below it knows only
// these symbols.
enum class TAttrSymbol : std::uint8_t {
  HREF,
  NAME,
  SRC,
  ALT,
  ALIGN,
  TEXT,
  BGCOLOR,
  LINK,
  BACKGROUND,
  COLSPAN,
  ROWSPAN,
  BORDER,
  CELLPADDING,
  CELLSPACING,
  VALIGN,
  WIDTH,
  START,
  VALUE,
  TYPE,
  CHECKBOX,
  RADIO,
  METHOD,
  ACTION,
  CHECKED,
  SIZE,
  MAXLENGTH,
  COLS,
  ROWS,
  MULTIPLE,
  SELECTED,
  FACE,
  COLOR,
  TRANSP,
  CLEAR,
  ISMAP,
  BORDERCOLOR,
  USEMAP,
  SHAPE,
  COORDS,
  NOHREF,
  HEIGHT,
  PLAIN,
  TARGET,
  NORESIZE,
  SCROLLING,
  HSPACE,
  LANGUAGE,
  FRAMEBORDER,
  MARGINWIDTH,
  MARGINHEIGHT,
  LOOP,
  ONCLICK,
  WRAP,
  NOSHADE,
  HTTP_EQUIV,
  CONTENT,
  ENCTYPE,
  VLINK,
  OLINK,
  ACTIVE,
  VSPACE,
  NOWRAP,
  Unknown,  // a name outside the table: kept, but no handler reads it
};

// One attribute: its symbol, its number (0 when the text is not a number; a trailing "%"
// does not count) and its value as written (entities decoded, trimmed).
struct TAttribute {
  TAttrSymbol Which = TAttrSymbol::Unknown;
  std::int32_t Value = 0;
  std::string Text;
};

class TAttributeList {
 public:
  void Clear() { items_.clear(); }
  void Add(TAttribute attribute) { items_.push_back(std::move(attribute)); }
  bool Empty() const { return items_.empty(); }
  const std::vector<TAttribute>& Items() const { return items_; }

  // The first attribute with the symbol, or null.
  const TAttribute* Find(TAttrSymbol which) const {
    for (const TAttribute& attribute : items_)
      if (attribute.Which == which) return &attribute;
    return nullptr;
  }
  bool Has(TAttrSymbol which) const { return Find(which) != nullptr; }
  // The attribute's text, or `fallback` when it is absent.
  std::string Text(TAttrSymbol which, const std::string& fallback = {}) const {
    const TAttribute* found = Find(which);
    return found ? found->Text : fallback;
  }
  // The attribute's number, or `fallback` when it is absent.
  std::int32_t Number(TAttrSymbol which, std::int32_t fallback = 0) const {
    const TAttribute* found = Find(which);
    return found ? found->Value : fallback;
  }
  // True when the attribute is given and its text holds "%".
  bool IsPercent(TAttrSymbol which) const {
    const TAttribute* found = Find(which);
    return found && found->Text.find('%') != std::string::npos;
  }

 private:
  std::vector<TAttribute> items_;
};

// The text without spaces and control characters at either end, as attribute values and
// option texts are kept.
std::string TrimmedText(const std::string& text);

// A colour from an attribute's text: one of the 16 colour names (compared in upper case,
// first 10 characters) or red-green-blue hexadecimal, with or without a leading "#".
// False, with `color` unchanged, for anything else.
bool ColorFromText(const std::string& text, TColor& color);

// Horizontal alignment of text, tables and rules.
enum class TJustify : std::uint8_t { Left = 1, Centre = 2, Right = 3 };
// Vertical alignment in a table row.
enum class TVAlign : std::uint8_t { Top = 0, Middle = 1, Bottom = 2 };

// Alignment words (any case, first 10 characters): "left", "center", "right"; none for
// anything else.
std::optional<TJustify> AlignmentFromText(const std::string& text);
// Vertical alignment: "top" and "baseline", "middle", "bottom"; none for anything else.
std::optional<TVAlign> VerticalAlignmentFromText(const std::string& text);

}  // namespace htmlview
