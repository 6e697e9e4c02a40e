#pragma once

// What the parts of TSection share: the marks in a section's buffer, and the walk over
// its pieces. Only the files of TSection include this.

#include <algorithm>
#include <cstdint>
#include <vector>

#include "FontObj.h"
#include "RunStyles.h"
#include "Span.h"
#include "Section.h"

namespace htmlview {

namespace section_pieces {

// Preformatted lines never wrap: the width they may take.
constexpr std::int32_t kNoWrapWidth = 32000;

inline bool IsImageMark(char c) {
  return c == TBufferMark::Image || c == TBufferMark::ImageNoBreak;
}
inline bool IsControlMark(char c) {
  return c == TBufferMark::Control || c == TBufferMark::ControlNoBreak;
}
inline bool IsMark(char c) {
  return IsImageMark(c) || IsControlMark(c);
}
// Where a line may break after: spaces and the marks outside no-break text.
inline bool IsBreakAfter(char c) {
  return c == ' ' || c == TBufferMark::Image || c == TBufferMark::Control;
}
inline bool IsFoldedSpace(char c) {
  return c == ' ' || c == TBufferMark::NoBreakCode;
}

// The pieces of [from, to) that are drawn or measured alike: runs of text in one font,
// and single marks, each with the style of its run. The marks are found from their
// positions, not by reading the text.
template <typename TText, typename TMark>
void ForEachPiece(const TRunStyles& styles, TSpan<TFontObj> fonts,
                  const std::vector<std::int32_t>& marks, std::size_t run, std::int32_t from,
                  std::int32_t to, TText onText, TMark onMark) {
  auto mark = std::lower_bound(marks.begin(), marks.end(), from);
  std::int32_t pos = from;
  while (pos < to) {
    while (run + 1 < fonts.size() && fonts[run + 1].Pos <= pos) ++run;
    if (mark != marks.end() && *mark == pos) {
      if (!onMark(pos, styles[fonts[run].Style])) return;
      ++mark;
      ++pos;
      continue;
    }
    std::int32_t end = to;
    if (run + 1 < fonts.size()) end = std::min(end, fonts[run + 1].Pos);
    if (mark != marks.end()) end = std::min(end, *mark);
    if (!onText(pos, end, styles[fonts[run].Style])) return;
    pos = end;
  }
}

}  // namespace section_pieces

}  // namespace htmlview
