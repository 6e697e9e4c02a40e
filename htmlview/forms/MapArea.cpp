#include "forms/MapArea.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>

#include "forms/FormLimits.h"
#include "text/AsciiCase.h"

namespace htmlview {

namespace {

bool IsSeparator(char c) {
  return c == ',' || std::isspace(static_cast<unsigned char>(c));
}

std::int32_t ReadNumber(const std::string& text, std::size_t begin, std::size_t end) {
  bool negative = false;
  if (begin < end && (text[begin] == '-' || text[begin] == '+')) negative = text[begin++] == '-';
  std::int64_t value = 0;
  for (; begin < end && std::isdigit(static_cast<unsigned char>(text[begin])); ++begin) {
    value = value * 10 + (text[begin] - '0');
    if (value > form_limits::kMaxCoordValue) value = form_limits::kMaxCoordValue;
  }
  return static_cast<std::int32_t>(negative ? -value : value);
}

std::string LowerPrefix(const std::string& text, std::size_t length) {
  return LowerText(text.substr(0, length));
}

// Twice the signed area of the triangle (a, b, p): positive when p is left of a->b.
std::int64_t Cross(std::int64_t ax, std::int64_t ay, std::int64_t bx, std::int64_t by,
                   std::int64_t px, std::int64_t py) {
  return (bx - ax) * (py - ay) - (px - ax) * (by - ay);
}

bool OnSegment(std::int64_t ax, std::int64_t ay, std::int64_t bx, std::int64_t by, std::int64_t px,
               std::int64_t py) {
  return Cross(ax, ay, bx, by, px, py) == 0 && px >= std::min(ax, bx) && px <= std::max(ax, bx) &&
         py >= std::min(ay, by) && py <= std::max(ay, by);
}

// Non-zero winding: a point inside a loop that the outline runs round twice is still
// inside, unlike with the even-odd rule.
bool InsidePolygon(const std::vector<std::int32_t>& coords, std::int64_t px, std::int64_t py) {
  const std::size_t points = coords.size() / 2;
  int winding = 0;
  for (std::size_t i = 0; i < points; ++i) {
    const std::size_t j = (i + 1) % points;
    const std::int64_t ax = coords[2 * i], ay = coords[2 * i + 1];
    const std::int64_t bx = coords[2 * j], by = coords[2 * j + 1];
    if (OnSegment(ax, ay, bx, by, px, py)) return true;
    if (ay <= py) {
      if (by > py && Cross(ax, ay, bx, by, px, py) > 0) ++winding;
    } else if (by <= py && Cross(ax, ay, bx, by, px, py) < 0) {
      --winding;
    }
  }
  return winding != 0;
}

}  // namespace

std::vector<std::int32_t> ParseCoords(const std::string& text, std::size_t limit) {
  std::vector<std::int32_t> numbers;
  std::size_t i = 0;
  while (numbers.size() < limit) {
    while (i < text.size() && IsSeparator(text[i])) ++i;
    if (i >= text.size()) break;
    std::size_t end = i;
    while (end < text.size() && !IsSeparator(text[end])) ++end;
    numbers.push_back(ReadNumber(text, i, end));
    i = end;
  }
  return numbers;
}

bool TMapArea::FromAttributes(const TAttributeList& attributes, TMapArea& area) {
  TMapArea made;
  const std::string shape = LowerPrefix(attributes.Text(TAttrSymbol::SHAPE), 4);
  made.shape_ = shape == "circ"   ? TShape::Circle
                : shape == "poly" ? TShape::Polygon
                                  : TShape::Rectangle;
  made.coords_ = ParseCoords(attributes.Text(TAttrSymbol::COORDS), form_limits::kMaxCoords);
  switch (made.shape_) {
    case TShape::Rectangle:
      if (made.coords_.size() < 4) return false;
      made.coords_.resize(4);
      break;
    case TShape::Circle:
      if (made.coords_.size() < 3) return false;
      made.coords_.resize(3);
      break;
    case TShape::Polygon:
      if (made.coords_.size() < 6) return false;
      made.coords_.resize(made.coords_.size() / 2 * 2);  // a lone last number has no pair
      break;
  }
  if (!attributes.Has(TAttrSymbol::NOHREF))
    made.target_ = attributes.Text(TAttrSymbol::HREF).substr(0, form_limits::kMaxText);
  made.frameTarget_ = attributes.Text(TAttrSymbol::TARGET).substr(0, form_limits::kMaxText);
  area = std::move(made);
  return true;
}

bool TMapArea::Contains(std::int32_t x, std::int32_t y) const {
  switch (shape_) {
    case TShape::Rectangle:
      return x >= std::min(coords_[0], coords_[2]) && x <= std::max(coords_[0], coords_[2]) &&
             y >= std::min(coords_[1], coords_[3]) && y <= std::max(coords_[1], coords_[3]);
    case TShape::Circle: {
      const std::int64_t dx = std::int64_t{x} - coords_[0];
      const std::int64_t dy = std::int64_t{y} - coords_[1];
      const std::int64_t radius = std::llabs(coords_[2]);
      return dx * dx + dy * dy <= radius * radius;
    }
    case TShape::Polygon:
      return InsidePolygon(coords_, x, y);
  }
  return false;
}

}  // namespace htmlview
