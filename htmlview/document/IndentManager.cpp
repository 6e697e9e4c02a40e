#include "IndentManager.h"

#include <algorithm>

void IndentManagerBasic::Reset(std::int32_t leftEdge, std::int32_t rightEdge) {
  leftEdge_ = leftEdge;
  rightEdge_ = rightEdge;
  left_.clear();
  right_.clear();
  levels_.clear();
  leftBottom_ = 0;
  rightBottom_ = 0;
}

std::int32_t IndentManagerBasic::OpenLevelX(std::int32_t y) const {
  // Each level is entered further right than the ones it is nested in, so the deepest
  // level that has begun at y decides.
  for (auto level = levels_.rbegin(); level != levels_.rend(); ++level)
    if (level->YT <= y) return level->X;
  return 0;
}

std::int32_t IndentManagerBasic::LeftIndent(std::int32_t y) const {
  std::int32_t x = std::max(0, OpenLevelX(y));
  for (const IndentRec& rec : left_)
    if (rec.YT <= y && y < rec.YB) x = std::max(x, rec.X);
  return leftEdge_ + x;
}

std::int32_t IndentManagerBasic::RightSide(std::int32_t y) const {
  std::int32_t x = 0;
  for (const IndentRec& rec : right_)
    if (rec.YT <= y && y < rec.YB) x = std::min(x, rec.X);
  return rightEdge_ + x;
}

void IndentManagerBasic::AddLeft(std::int32_t y, std::int32_t height, std::int32_t width) {
  const IndentRec rec{LeftIndent(y) + width - leftEdge_, y, y + height, 0};
  left_.push_back(rec);
  leftBottom_ = std::max(leftBottom_, rec.YB);
}

void IndentManagerBasic::AddRight(std::int32_t y, std::int32_t height, std::int32_t width) {
  const IndentRec rec{RightSide(y) - rightEdge_ - width, y, y + height, 0};
  right_.push_back(rec);
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
  left_.erase(std::remove_if(left_.begin(), left_.end(), ended), left_.end());
  right_.erase(std::remove_if(right_.begin(), right_.end(), ended), right_.end());
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
