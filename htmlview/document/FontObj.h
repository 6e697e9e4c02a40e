#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "canvas/Canvas.h"

namespace htmlview {

class TSectionList;

// A font as the parser describes it. Everything the control's defaults decide is left
// open here, so that a change of DefFontName, DefFontSize, DefFontColor or CharSet
// reaches every run without a new parse.
struct TFontDesc {
  std::string Face;             // empty: the document's font (preformatted font if FixedPitch)
  std::int32_t Numerator = 12;  // points at DefFontSize 12; scaled by DefFontSize / 12
  bool FixedPitch = false;      // TT, CODE, KBD, SAMP, PRE and plain text
  std::uint8_t Style = 0;       // TFontStyle bits: bold 1, italic 2, underline 4, strike 8
  std::int16_t CharSet = -1;    // -1: the document's character set
  std::optional<TColor> Color;  // none: the document's text colour

  friend bool operator==(const TFontDesc& a, const TFontDesc& b) {
    return a.Face == b.Face && a.Numerator == b.Numerator && a.FixedPitch == b.FixedPitch &&
           a.Style == b.Style && a.CharSet == b.CharSet && a.Color == b.Color;
  }
  friend bool operator!=(const TFontDesc& a, const TFontDesc& b) { return !(a == b); }
};

enum class TSubSuper : std::uint8_t { None = 0, Sub = 1, Super = 2 };

// One link (one A element), shared by every run of it.
struct TUrlTarget {
  std::string Url;     // HREF
  std::string Target;  // TARGET, the frame target
  bool Visited = false;
};

// What the runs of a document share: a font, its sub- or superscript mode and its link,
// with the canvas font measured for them. The document keeps each once (TRunStyles), so
// that a run costs a position and a number however long its font's face name is.
struct TRunStyle {
  TFontDesc Desc;
  TSubSuper SScript = TSubSuper::None;
  std::shared_ptr<TUrlTarget> UrlTarget;  // null outside links

  // Filled by Measure: the canvas font and its metrics.
  TFontHandle Handle = 0;
  TFontMetrics Metrics;
  std::uint32_t MeasuredIn = 0;  // the measuring pass that filled them (TRunStyles); 0 none

  bool IsLink() const { return UrlTarget != nullptr; }
  // Looks the font up on the document's canvas (cached there) and takes its metrics.
  void Measure(const TSectionList& doc);
  // The colour the run is drawn in: the link colour by the link's state, else its own.
  TColor DrawColor(const TSectionList& doc) const;
};

// A font run of a section: from buffer position Pos to the next run, in the document's
// run style number Style.
struct TFontObj {
  std::int32_t Pos = 0;
  std::uint32_t Style = 0;
};

// What the canvas is asked for: the description resolved against the document's
// defaults. Subscript and superscript take 3/4 of the size.
TFontSpec ResolveFont(const TFontDesc& desc, TSubSuper mode, const TSectionList& doc);

}  // namespace htmlview
