#include "ImageCache.h"
#include "text/AsciiCase.h"

#include <algorithm>

namespace htmlview {

std::string TStringBitmapList::KeyOf(const std::string& name) {
  const auto isBlank = [](char c) { return static_cast<unsigned char>(c) <= ' '; };
  const auto first = std::find_if_not(name.begin(), name.end(), isBlank);
  const auto last = std::find_if_not(name.rbegin(), name.rend(), isBlank).base();
  return UpperText(first < last ? std::string(first, last) : std::string());
}

TBitmapItem* TStringBitmapList::Find(const std::string& name) {
  const auto found = items_.find(KeyOf(name));
  return found == items_.end() ? nullptr : &found->second;
}

TBitmapItem& TStringBitmapList::Add(const std::string& name, TBitmapItem item) {
  item.UsageCount = 1;
  item.Age = 0;
  TBitmapItem& stored = items_[KeyOf(name)];
  stored = std::move(item);
  return stored;
}

TBitmapItem* TStringBitmapList::Take(const std::string& name) {
  TBitmapItem* item = Find(name);
  if (item) {
    item->Age = 0;
    ++item->UsageCount;
  }
  return item;
}

void TStringBitmapList::Release(const std::string& name) {
  TBitmapItem* item = Find(name);
  if (item && item->UsageCount > 0) --item->UsageCount;
}

void TStringBitmapList::AgeForNewDocument() {
  for (auto& entry : items_) ++entry.second.Age;
  FreeUnusedOlderThan(cacheCount_);
}

void TStringBitmapList::SetCacheCount(int count) {
  cacheCount_ = std::clamp(count, 0, kMaxCacheCount);
  FreeUnusedOlderThan(cacheCount_);
}

void TStringBitmapList::FreeUnused() {
  FreeUnusedOlderThan(-1);
}

void TStringBitmapList::FreeUnusedOlderThan(int age) {
  for (auto it = items_.begin(); it != items_.end();) {
    if (it->second.UsageCount == 0 && it->second.Age > age)
      it = items_.erase(it);
    else
      ++it;
  }
}

TStringBitmapList& SharedImageCache() {
  static TStringBitmapList cache;
  return cache;
}

}  // namespace htmlview
