#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "ImageCache.h"

namespace htmlview {

// The image names whose bytes the host promised for later, each with the images that wait
// for them. An image is named by whatever number its document gives it.
class TPendingImages {
 public:
  using TWaiter = std::uintptr_t;

  bool Contains(const std::string& name) const {
    return waiters_.count(TStringBitmapList::KeyOf(name)) != 0;
  }
  void Add(const std::string& name, TWaiter waiter) {
    waiters_[TStringBitmapList::KeyOf(name)].push_back(waiter);
  }
  // The images that waited for the name, which is no longer pending.
  std::vector<TWaiter> Take(const std::string& name) {
    const auto found = waiters_.find(TStringBitmapList::KeyOf(name));
    if (found == waiters_.end()) return {};
    std::vector<TWaiter> waiting = std::move(found->second);
    waiters_.erase(found);
    return waiting;
  }

 private:
  std::map<std::string, std::vector<TWaiter>> waiters_;
};

}  // namespace htmlview
