#include "forms/MapItem.h"

#include "forms/FormLimits.h"
#include "text/AsciiCase.h"

namespace htmlview {

TMapItem::TMapItem(const std::string& name) : name_(KeyOf(name)) {}

std::string TMapItem::KeyOf(const std::string& name) {
  return UpperText(name.substr(!name.empty() && name[0] == '#' ? 1 : 0, form_limits::kMaxText));
}

bool TMapItem::AddArea(const TAttributeList& attributes) {
  if (areas_.size() >= form_limits::kMaxAreasPerMap) return false;
  TMapArea area;
  if (!TMapArea::FromAttributes(attributes, area)) return false;
  areas_.push_back(std::move(area));
  return true;
}

bool TMapItem::HitTest(std::int32_t x, std::int32_t y, std::string& target,
                       std::string& frameTarget) const {
  for (const TMapArea& area : areas_) {
    if (!area.Contains(x, y)) continue;
    if (area.Target().empty()) return false;
    target = area.Target();
    frameTarget = area.FrameTarget();
    return true;
  }
  return false;
}

}  // namespace htmlview
