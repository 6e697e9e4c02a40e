#pragma once

#include <map>
#include <memory>
#include <string>

#include "Dib.h"
#include "GifImage.h"
#include "Transparency.h"

namespace htmlview {

// One picture of the image cache, shared by every image of every document that shows it.
struct TBitmapItem {
  std::shared_ptr<const TDIB> Bitmap;    // a plain picture, or
  std::shared_ptr<const TGIFImage> Gif;  // an animated GIF, which each user gets a copy of
  std::shared_ptr<const TDIB> Mask;      // may be null
  TTransparencyMode Mode = TTransparencyMode::None;
  int UsageCount = 0;  // current users
  int Age = 0;         // document loads since it was last taken
  // For a plain picture cached without a mask: the mask a later TRANSP use gets, made from
  // the picture as decoded. The cached Bitmap may be dithered for a palette screen, and
  // its lower-left colour would then pick other pixels.
  std::shared_ptr<const TDIB> TranspMask;
};

// The process's image cache, sorted by key: the image name in upper case, trimmed.
class TStringBitmapList {
 public:
  static constexpr int kMaxCacheCount = 20;
  static constexpr int kDefaultCacheCount = 5;

  static std::string KeyOf(const std::string& name);

  // The entry for a name, or null. Finding does not take it.
  TBitmapItem* Find(const std::string& name);
  // Adds a picture not cached yet (replacing an entry of the same key) and takes it.
  TBitmapItem& Add(const std::string& name, TBitmapItem item);
  // Makes the entry young and adds a user; null when there is none.
  TBitmapItem* Take(const std::string& name);
  // Removes a user from the entry, if there is one.
  void Release(const std::string& name);

  // A new document is loading: every entry ages by one, and those without users older
  // than CacheCount() are freed.
  void AgeForNewDocument();
  // Stores the count clamped to 0..20 and frees at once what is unused and older.
  void SetCacheCount(int count);
  int CacheCount() const { return cacheCount_; }
  // Frees every entry that has no users.
  void FreeUnused();

  std::size_t Count() const { return items_.size(); }

 private:
  void FreeUnusedOlderThan(int age);

  std::map<std::string, TBitmapItem> items_;
  int cacheCount_ = kDefaultCacheCount;
};

// The one cache of the process, which outlives every viewer.
TStringBitmapList& SharedImageCache();

}  // namespace htmlview
