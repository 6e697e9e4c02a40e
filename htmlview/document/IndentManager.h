#pragma once

#include <cstdint>
#include <vector>

namespace htmlview {

// One indentation: x offset from the edge, top Y, bottom Y (exclusive), list level (0 for
// a float or a closed list level).
struct IndentRec {
  std::int32_t X = 0;
  std::int32_t YT = 0;
  std::int32_t YB = 0;
  std::int32_t Lev = 0;
};

// Left and right indentation at each Y of a cell, made by floats. Layout adds floats and
// asks only downwards, never above the newest float's top, so records that can no longer
// decide are dropped as it goes (when a float is added, and by DropAbove) and queries stay
// short however long the cell is and however many floats stand side by side.
class IndentManagerBasic {
 public:
  // Empties the manager; x runs from `leftEdge` to `rightEdge`.
  void Reset(std::int32_t leftEdge, std::int32_t rightEdge);
  std::int32_t LeftEdge() const { return leftEdge_; }
  std::int32_t RightEdge() const { return rightEdge_; }

  // Left edge plus the largest x of the left records that contain y.
  std::int32_t LeftIndent(std::int32_t y) const;
  // Right edge plus the smallest (most negative) x of the right records that contain y.
  std::int32_t RightSide(std::int32_t y) const;

  // A float of `width` at [y, y + height) on the left or the right.
  void AddLeft(std::int32_t y, std::int32_t height, std::int32_t width);
  void AddRight(std::int32_t y, std::int32_t height, std::int32_t width);

  // The lowest bottom of the floats (and closed list levels) on the left, the right, or
  // both; 0 when there are none.
  std::int32_t LeftFloatBottom() const { return leftBottom_; }
  std::int32_t RightFloatBottom() const { return rightBottom_; }
  std::int32_t ImageBottom() const;

  // Forgets records that end at or above y; their bottoms still count above.
  void DropAbove(std::int32_t y);
  // The float records kept: what a query may have to look through.
  std::size_t FloatRecords() const { return left_.size() + right_.size(); }

 protected:
  std::int32_t OpenLevelX(std::int32_t y) const;
  void NoteClosedLeft(std::int32_t bottom);
  void Push(std::vector<IndentRec>& side, const IndentRec& rec, bool inOrder);

  std::int32_t leftEdge_ = 0;
  std::int32_t rightEdge_ = 0;
  std::vector<IndentRec> left_;    // left floats
  std::vector<IndentRec> right_;   // right floats
  std::vector<IndentRec> levels_;  // open list levels, outermost first
  std::int32_t leftBottom_ = 0;
  std::int32_t rightBottom_ = 0;
  bool inOrder_ = true;  // floats added from the top down, none of negative width
};

// The indent manager of a cell: floats, and list levels, each of which indents its items
// by the list indent from the indentation where it was entered.
class IndentManager : public IndentManagerBasic {
 public:
  static constexpr std::int32_t kListIndent = 35;
  static constexpr std::int32_t kOutsideListIndent = 15;
  static constexpr std::int32_t kOpenBottom = 9999999;
  // Deeper levels indent no further: each level is another record held open, and a page
  // nested thousands deep would otherwise indent its text millions of pixels.
  static constexpr std::int32_t kMaxListLevel = 64;

  // Enters or leaves list levels so that `level` is current from y on. A list item that
  // stands outside any list enters its level with the narrower indent.
  void SetLevel(std::int32_t y, std::int32_t level, bool outsideList = false);
  std::int32_t Level() const { return static_cast<std::int32_t>(levels_.size()); }
};

}  // namespace htmlview
