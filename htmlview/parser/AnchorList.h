#pragma once

#include <map>
#include <string>

namespace htmlview {

class TSectionBase;

// The anchor names of a document (upper case, without "#"), each with the section in which
// it stands: that section's top after layout is the anchor's place. The viewer owns the
// list; the parser fills it. The first anchor of a name wins.
class TAnchorList {
 public:
  void Clear() { anchors_.clear(); }
  void Add(const std::string& upperName, TSectionBase& section) {
    anchors_.emplace(upperName, &section);
  }
  // Anchors that stood in `from` stand in `to` (a section that was replaced).
  void Repoint(const TSectionBase* from, TSectionBase& to) {
    for (auto& anchor : anchors_)
      if (anchor.second == from) anchor.second = &to;
  }
  // The section of an anchor name (upper case), or null.
  TSectionBase* Find(const std::string& upperName) const {
    const auto found = anchors_.find(upperName);
    return found == anchors_.end() ? nullptr : found->second;
  }
  std::size_t Count() const { return anchors_.size(); }
  const std::map<std::string, TSectionBase*>& Items() const { return anchors_; }

 private:
  std::map<std::string, TSectionBase*> anchors_;
};

}  // namespace htmlview
