#pragma once

#include <cstdint>

namespace htmlview {

// One laid-out line of a section.
struct LineRec {
  std::int32_t Start = 0;        // buffer position of its first character
  std::int32_t Ln = 0;           // characters in it
  std::int32_t LineX = 0;        // left x, in its cell
  std::int32_t DrawY = 0;        // top, in the document
  std::int32_t SpaceBefore = 0;  // above the text, for images and controls taller than it
  std::int32_t LineHt = 0;       // text height: the tallest font of its runs
  std::int32_t SpaceAfter = 0;   // below the text, for images hanging below the baseline
  std::int32_t DrawWidth = 0;    // width drawn
  std::int32_t Descent = 0;      // the largest descent of its runs

  std::int32_t Height() const { return SpaceBefore + LineHt + SpaceAfter; }
  std::int32_t Baseline() const { return DrawY + SpaceBefore + LineHt - Descent; }
};

}  // namespace htmlview
