#include "IndentManager.h"

#include <algorithm>

namespace htmlview {

void IndentManagerBasic::Reset(std::int32_t leftEdge, std::int32_t rightEdge) {
  leftEdge_ = leftEdge;
  rightEdge_ = rightEdge;
  left_.clear();
  right_.clear();
  levels_.clear();
  leftBottom_ = 0;
  rightBottom_ = 0;
  inOrder_ = true;
}

std::int32_t IndentManagerBasic::OpenLevelX(std::int32_t y) const {
  // Each level is entered further right than the ones it is nested in, so the deepest
  // level that has begun at y decides.
  for (auto level = levels_.rbegin(); level != levels_.rend(); ++level)
    if (level->YT <= y) return level->X;
  return 0;
}

namespace {

bool Holds(const IndentRec& rec, std::int32_t y) {
  return rec.YT <= y && y < rec.YB;
}

}  // namespace

// Floats come from the top down, and each is placed against everything that stands
// beside it where it starts: it lies at least as far in as any older record that holds
// a y it holds too. So the newest record that holds y decides, and an older one that
// ends no lower than a newer one never decides again (layout asks nothing above the
// newest float) and is dropped when the newer one comes. Thousands of floats side by
// side then cost no more than one each.
std::int32_t IndentManagerBasic::LeftIndent(std::int32_t y) const {
  std::int32_t x = std::max(0, OpenLevelX(y));
  for (auto rec = left_.rbegin(); rec != left_.rend(); ++rec) {
    if (!Holds(*rec, y)) continue;
    x = std::max(x, rec->X);
    if (inOrder_) break;
  }
  return leftEdge_ + x;
}

std::int32_t IndentManagerBasic::RightSide(std::int32_t y) const {
  std::int32_t x = 0;
  for (auto rec = right_.rbegin(); rec != right_.rend(); ++rec) {
    if (!Holds(*rec, y)) continue;
    x = std::min(x, rec->X);
    if (inOrder_) break;
  }
  return rightEdge_ + x;
}

void IndentManagerBasic::Push(std::vector<IndentRec>& side, const IndentRec& rec, bool inOrder) {
  // A float above the newest one, or of negative width, breaks the order the searches
  // rely on: from then on they look at every record.
  if (!inOrder || (!side.empty() && rec.YT < side.back().YT)) inOrder_ = false;
  while (inOrder_ && !side.empty() && side.back().YB <= rec.YB) side.pop_back();
  side.push_back(rec);
}

void IndentManagerBasic::AddLeft(std::int32_t y, std::int32_t height, std::int32_t width) {
  const IndentRec rec{LeftIndent(y) + width - leftEdge_, y, y + height, 0};
  Push(left_, rec, width >= 0);
  leftBottom_ = std::max(leftBottom_, rec.YB);
}

void IndentManagerBasic::AddRight(std::int32_t y, std::int32_t height, std::int32_t width) {
  const IndentRec rec{RightSide(y) - rightEdge_ - width, y, y + height, 0};
  Push(right_, rec, width >= 0);
  rightBottom_ = std::max(rightBottom_, rec.YB);
}

std::int32_t IndentManagerBasic::ImageBottom() const {
  return std::max(leftBottom_, rightBottom_);
}

void IndentManagerBasic::NoteClosedLeft(std::int32_t bottom) {
  leftBottom_ = std::max(leftBottom_, bottom);
}

void IndentManagerBasic::DropAbove(std::int32_t y) {
  const auto ended = [y](const IndentRec& rec) { return rec.YB <= y; };
  for (std::vector<IndentRec>* side : {&left_, &right_}) {
    // In order, the records end higher the newer they are: the ended ones are the newest.
    if (inOrder_) {
      while (!side->empty() && ended(side->back())) side->pop_back();
    } else {
      side->erase(std::remove_if(side->begin(), side->end(), ended), side->end());
    }
  }
}

void IndentManager::SetLevel(std::int32_t y, std::int32_t level, bool outsideList) {
  level = std::clamp(level, 0, kMaxListLevel);
  while (Level() > level) {
    // A closed level no longer indents from y on; its bottom still counts for the height.
    levels_.pop_back();
    NoteClosedLeft(y - 1);
  }
  while (Level() < level) {
    const std::int32_t step = outsideList && Level() == 0 ? kOutsideListIndent : kListIndent;
    levels_.push_back({LeftIndent(y) + step - leftEdge_, y, kOpenBottom, Level() + 1});
  }
}

}  // namespace htmlview
