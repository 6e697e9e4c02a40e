#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "document/Attributes.h"

namespace htmlview {

// One AREA of an image map: a region of the image and the link it stands for.
class TMapArea {
 public:
  enum class TShape : std::uint8_t { Rectangle, Circle, Polygon };

  // The area an AREA tag describes, or false when it has too few numbers for its shape.
  static bool FromAttributes(const TAttributeList& attributes, TMapArea& area);

  // True when the point lies in the region, its edges included.
  bool Contains(std::int32_t x, std::int32_t y) const;

  TShape Shape() const { return shape_; }
  const std::string& Target() const { return target_; }  // empty for NOHREF
  const std::string& FrameTarget() const { return frameTarget_; }

 private:
  TShape shape_ = TShape::Rectangle;
  std::vector<std::int32_t> coords_;
  std::string target_;
  std::string frameTarget_;
};

// The numbers of a COORDS text: separated by commas or white space, at most `limit`,
// each clamped to the coordinate bound. A piece that does not start with a number counts
// as 0 so that the pieces after it keep their places.
std::vector<std::int32_t> ParseCoords(const std::string& text, std::size_t limit);

}  // namespace htmlview
