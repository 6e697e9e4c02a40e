#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "forms/MapArea.h"

namespace htmlview {

// A client-side image map: the areas of one MAP, in document order.
class TMapItem {
 public:
  // `name` as the MAP's NAME gave it; it is kept in upper case.
  explicit TMapItem(const std::string& name);

  const std::string& Name() const { return name_; }
  const std::vector<TMapArea>& Areas() const { return areas_; }

  // Adds the area an AREA tag describes; an area with too few numbers for its shape, or
  // one beyond the per-map bound, is dropped (false).
  bool AddArea(const TAttributeList& attributes);

  // The link of the first area that holds the point (image pixels). False when none
  // does, or when that area has no link (NOHREF): then the point is no link at all.
  bool HitTest(std::int32_t x, std::int32_t y, std::string& target, std::string& frameTarget) const;

  // The key under which a USEMAP value finds its map: upper case, without a leading "#".
  static std::string KeyOf(const std::string& name);

 private:
  std::string name_;
  std::vector<TMapArea> areas_;
};

}  // namespace htmlview
