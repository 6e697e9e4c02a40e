#include "navigation/VisitedList.h"

#include <algorithm>

#include "text/AsciiCase.h"

namespace htmlview {

TVisitedList::TAddResult TVisitedList::Add(const std::string& target) {
  if (maxCount_ == 0) return TAddResult::Ignored;
  const auto found = std::find_if(items_.begin(), items_.end(),
                                  [&](const std::string& item) { return SameText(item, target); });
  if (found == items_.begin() && found != items_.end()) return TAddResult::Ignored;
  if (found != items_.end()) {
    std::rotate(items_.begin(), found, found + 1);
    return TAddResult::Moved;
  }
  items_.insert(items_.begin(), target);
  Trim();
  return TAddResult::Added;
}

bool TVisitedList::SetMaxCount(int count) {
  maxCount_ = std::max(count, 0);
  if (maxCount_ == 0) {
    items_.clear();
    return true;
  }
  Trim();
  return false;
}

bool TVisitedList::Contains(const std::string& target) const {
  return std::any_of(items_.begin(), items_.end(),
                     [&](const std::string& item) { return SameText(item, target); });
}

void TVisitedList::Trim() {
  if (items_.size() > static_cast<std::size_t>(maxCount_))
    items_.resize(static_cast<std::size_t>(maxCount_));
}

}  // namespace htmlview
