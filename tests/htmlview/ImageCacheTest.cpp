#include <gtest/gtest.h>

#include "images/ImageCache.h"

namespace htmlview {

namespace {

TBitmapItem Picture() {
  TBitmapItem item;
  item.Bitmap = std::make_shared<const TDIB>(2, 2, 24);
  return item;
}

TEST(ImageCache, KeysAreTheNamesInUpperCaseTrimmed) {
  TStringBitmapList cache;
  cache.Add("  pics/Logo.gif\t", Picture());
  EXPECT_EQ(TStringBitmapList::KeyOf(" a b.Gif "), "A B.GIF");
  EXPECT_NE(cache.Find("PICS/LOGO.GIF"), nullptr);
  EXPECT_NE(cache.Find("pics/logo.GIF  "), nullptr);
  EXPECT_EQ(cache.Find("pics/logo.gif2"), nullptr);
  EXPECT_EQ(cache.Count(), 1u);
}

TEST(ImageCache, TakingMakesYoungAndCountsUsersReleasingUncounts) {
  TStringBitmapList cache;
  TBitmapItem& item = cache.Add("a.gif", Picture());
  EXPECT_EQ(item.UsageCount, 1);
  cache.AgeForNewDocument();
  EXPECT_EQ(cache.Find("a.gif")->Age, 1);
  cache.Take("A.GIF");
  EXPECT_EQ(cache.Find("a.gif")->Age, 0);
  EXPECT_EQ(cache.Find("a.gif")->UsageCount, 2);
  cache.Release("a.gif");
  cache.Release("a.gif");
  cache.Release("a.gif");
  EXPECT_EQ(cache.Find("a.gif")->UsageCount, 0);
  EXPECT_EQ(cache.Take("b.gif"), nullptr);
}

TEST(ImageCache, UnusedEntriesOutliveCacheCountDocumentLoadsAndNoMore) {
  TStringBitmapList cache;
  EXPECT_EQ(cache.CacheCount(), 5);
  cache.SetCacheCount(2);
  cache.Add("unused.gif", Picture());
  cache.Release("unused.gif");
  cache.Add("used.gif", Picture());
  cache.AgeForNewDocument();
  cache.AgeForNewDocument();
  EXPECT_NE(cache.Find("unused.gif"), nullptr) << "age 2 is not above 2";
  cache.AgeForNewDocument();
  EXPECT_EQ(cache.Find("unused.gif"), nullptr);
  for (int i = 0; i < 30; ++i) cache.AgeForNewDocument();
  EXPECT_NE(cache.Find("used.gif"), nullptr) << "an entry in use is never freed";
}

TEST(ImageCache, TheCountIsClampedAndLoweringItFreesAtOnce) {
  TStringBitmapList cache;
  cache.SetCacheCount(50);
  EXPECT_EQ(cache.CacheCount(), 20);
  cache.SetCacheCount(-4);
  EXPECT_EQ(cache.CacheCount(), 0);
  cache.SetCacheCount(20);
  cache.Add("old.gif", Picture());
  cache.Release("old.gif");
  cache.Add("young.gif", Picture());
  cache.Release("young.gif");
  for (int i = 0; i < 3; ++i) cache.AgeForNewDocument();
  cache.Take("young.gif");
  cache.Release("young.gif");
  cache.SetCacheCount(2);
  EXPECT_EQ(cache.Find("old.gif"), nullptr);
  EXPECT_NE(cache.Find("young.gif"), nullptr);
  cache.SetCacheCount(0);
  EXPECT_NE(cache.Find("young.gif"), nullptr) << "age 0 is not above 0";
}

}  // namespace

}  // namespace htmlview
