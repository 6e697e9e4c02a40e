#pragma once

#include <string>
#include <vector>

namespace htmlview {

// The links followed lately, newest first, compared without regard to case. The viewer
// colours every link whose full target is in the list.
class TVisitedList {
 public:
  static constexpr int kDefaultMaxCount = 50;

  enum class TAddResult {
    Ignored,  // the list keeps nothing (MaxCount 0) or the target is already first
    Moved,    // it was further down and is first now
    Added,    // new: the caller marks the document's links to it
  };

  TAddResult Add(const std::string& target);
  // Negative counts as 0. Returns true when the list was emptied, so that the caller
  // unmarks every link; a lower limit otherwise drops the oldest entries.
  bool SetMaxCount(int count);
  int MaxCount() const { return maxCount_; }
  bool Contains(const std::string& target) const;
  const std::vector<std::string>& Items() const { return items_; }

 private:
  void Trim();

  std::vector<std::string> items_;
  int maxCount_ = kDefaultMaxCount;
};

}  // namespace htmlview
