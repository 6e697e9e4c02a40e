#include "navigation/History.h"

#include "text/AsciiCase.h"

namespace htmlview {

bool SameDocument(const THistoryPlace& a, const THistoryPlace& b) {
  return SameText(a.FileName, b.FileName) && a.Position.FileType == b.Position.FileType;
}

bool THistory::Record(const THistoryPlace& left, const THistoryPlace& current) {
  const bool changed = !SameDocument(left, current) || left.Position.Pos != current.Position.Pos;
  if (maxCount_ < 1 || current.FileName.empty() || !changed) return false;
  if (!fileNames_.empty()) {
    // The entry shown is left at the place it had; entries newer than it are forgotten.
    const auto at = static_cast<std::size_t>(index_);
    fileNames_[at] = left.FileName;
    titles_[at] = left.Title;
    positions_[at] = left.Position;
    fileNames_.erase(fileNames_.begin(), fileNames_.begin() + index_);
    titles_.erase(titles_.begin(), titles_.begin() + index_);
    positions_.erase(positions_.begin(), positions_.begin() + index_);
  }
  fileNames_.insert(fileNames_.begin(), current.FileName);
  titles_.insert(titles_.begin(), current.Title);
  positions_.insert(positions_.begin(), current.Position);
  index_ = 0;
  if (fileNames_.size() > static_cast<std::size_t>(maxCount_)) {
    fileNames_.pop_back();
    titles_.pop_back();
    positions_.pop_back();
  }
  return true;
}

bool THistory::Clear() {
  const bool had = !fileNames_.empty();
  fileNames_.clear();
  titles_.clear();
  positions_.clear();
  index_ = 0;
  return had;
}

bool THistory::SetMaxCount(int count) {
  if (count < 0) return false;
  const bool lowered = count < maxCount_;
  maxCount_ = count;
  return lowered && Clear();
}

}  // namespace htmlview
