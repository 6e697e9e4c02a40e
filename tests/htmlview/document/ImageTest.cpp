// Images through the picture loader: pictures drawn at their size, the built-in pictures
// of pending and missing images, animation steps only for what was drawn, and cache
// entries given back when the document is emptied.
#include <gtest/gtest.h>

#include <algorithm>

#include "DocBuilder.h"
#include "GifBuilder.h"
#include "PngTestFile.h"

namespace htmlview {

namespace {

bool HasCall(const TTestCanvas& canvas, const std::string& call) {
  return std::find(canvas.Calls().begin(), canvas.Calls().end(), call) != canvas.Calls().end();
}

TEST(Images, PicturesPendingAndMissingImagesAndAnimation) {
  TGifBuilder gif(8, 6, {0x0000FF, 0x00FF00});
  gif.Loop(0).Control(0, 10).Frame(0, 0, 8, 6, TBytes8(48, 0));
  gif.Control(0, 10).Frame(0, 0, 8, 6, TBytes8(48, 1));
  TStringBitmapList cache;
  TPictureLoader loader(cache, 24, {});
  loader.OnImageRequest = [&](const std::string& src) {
    TImageRequestAnswer answer;
    if (src == "anim.gif") answer = {TImageRequestAnswer::TKind::Stream, gif.Bytes()};
    if (src == "later.gif") answer.Kind = TImageRequestAnswer::TKind::Later;
    return answer;
  };
  TTestDocument test;
  test.doc.PictureLoader = &loader;
  test.doc.ImageCache = &cache;
  {
    TDocBuilder b(test.doc);
    b.Image("SRC=anim.gif WIDTH=16 HEIGHT=12").Image("SRC=later.gif");
    b.Image("SRC=missing.gif ALT=\"not there\"");
  }
  std::int32_t widest = 0;
  test.doc.DoLogic(0, 400, widest);
  ASSERT_EQ(test.doc.ImageList.size(), 3u);
  TImageObj& anim = *test.doc.ImageList[0];
  const TImageObj& later = *test.doc.ImageList[1];
  const TImageObj& missing = *test.doc.ImageList[2];
  ASSERT_NE(anim.Gif(), nullptr);
  EXPECT_EQ(test.doc.AnimList, std::vector<TImageObj*>{&anim});
  EXPECT_EQ(later.Picture().BuiltIn, TBuiltInPicture::NotShown);
  EXPECT_EQ(missing.Picture().BuiltIn, TBuiltInPicture::CannotLoad);
  // The ALT box: the text in 8-point Arial (5 pixels a character here) plus 26.
  EXPECT_EQ(missing.ImageWidth, 9 * 5 + 26);

  const auto draw = [&] {
    test.canvas.ClearCalls();
    test.doc.Draw({0, 0, 400, 100}, 10);
  };
  draw();
  const std::int32_t x = 10 + anim.DrawX;
  const std::int32_t y = anim.DrawY;
  EXPECT_TRUE(HasCall(test.canvas, "picture " + std::to_string(x) + "," + std::to_string(y) + "-" +
                                       std::to_string(x + 16) + "," + std::to_string(y + 12) +
                                       " 8x6"));
  EXPECT_TRUE(HasCall(test.canvas, "builtin not-shown " + std::to_string(10 + later.DrawX + 4) +
                                       "," + std::to_string(later.DrawY + 4)));
  EXPECT_TRUE(HasCall(test.canvas, "builtin cannot-load " + std::to_string(10 + missing.DrawX + 4) +
                                       "," + std::to_string(missing.DrawY + 4)));

  // The first tick starts the animation; a tick after the frame's 100 ms advances it and
  // gives the image's place to repaint; without a drawing since, nothing moves.
  EXPECT_TRUE(test.doc.StepAnimations(1000).empty());
  EXPECT_TRUE(test.doc.StepAnimations(1050).empty());
  const std::vector<TPixelRect> changed = test.doc.StepAnimations(1100);
  ASSERT_EQ(changed.size(), 1u);
  EXPECT_EQ(changed[0], (TPixelRect{x, y, x + 16 + 1, y + 12 + 1}));
  EXPECT_EQ(anim.Gif()->CurrentFrame(), 2);
  EXPECT_TRUE(test.doc.StepAnimations(1300).empty());
  draw();
  EXPECT_EQ(test.doc.StepAnimations(1400).size(), 1u);
  EXPECT_EQ(anim.Gif()->CurrentFrame(), 1);

  // A new layout starts the animation again from its first frame.
  test.doc.StepAnimations(1600);
  test.doc.DoLogic(0, 400, widest);
  EXPECT_EQ(anim.Gif()->CurrentFrame(), 1);
  EXPECT_FALSE(anim.Gif()->Animating());

  ASSERT_NE(cache.Find("anim.gif"), nullptr);
  EXPECT_EQ(cache.Find("anim.gif")->UsageCount, 1);
  test.doc.Clear();
  EXPECT_EQ(cache.Find("anim.gif")->UsageCount, 0);
}

// A document whose pictures all come from one animated GIF of 4 x 4 frames.
struct TAnimatedGifDocument {
  explicit TAnimatedGifDocument(int frames) : gif(4, 4, {0x000000, 0xFFFFFF}) {
    for (int frame = 0; frame < frames; ++frame)
      gif.Control(0, 10).Frame(0, 0, 4, 4, TBytes8(16, static_cast<std::uint8_t>(frame % 2)));
    loader.OnImageRequest = [this](const std::string&) {
      return TImageRequestAnswer{TImageRequestAnswer::TKind::Stream, gif.Bytes()};
    };
    test.doc.PictureLoader = &loader;
    test.doc.ImageCache = &cache;
  }
  TGifBuilder gif;
  TStringBitmapList cache;
  TPictureLoader loader{cache, 24, {}};
  TTestDocument test;  // goes first, giving its pictures back to the cache
};

TEST(Images, ActiveImagesAnimateOnlyUnderTheMouse) {
  TAnimatedGifDocument page(3);
  TTestDocument& test = page.test;
  {
    TDocBuilder b(test.doc);
    b.Image("SRC=active.gif ACTIVE");
  }
  TImageObj& image = *test.doc.ImageList[0];
  EXPECT_TRUE(test.doc.AnimList.empty());
  EXPECT_TRUE(test.doc.SetActiveImage(&image));
  EXPECT_EQ(test.doc.AnimList, std::vector<TImageObj*>{&image});
  EXPECT_FALSE(test.doc.SetActiveImage(&image));
  EXPECT_TRUE(test.doc.SetActiveImage(nullptr));
  EXPECT_TRUE(test.doc.AnimList.empty());
  EXPECT_EQ(image.Gif()->CurrentFrame(), 1);
  // The mouse back over it registers it again, once.
  EXPECT_TRUE(test.doc.SetActiveImage(&image));
  EXPECT_EQ(test.doc.AnimList, std::vector<TImageObj*>{&image});
}

TEST(Images, AnAnimatedPictureFetchedAgainIsRegisteredOnce) {
  TAnimatedGifDocument page(2);
  TTestDocument& test = page.test;
  {
    TDocBuilder b(test.doc);
    b.Image("SRC=a.gif").Image("SRC=a.gif").Image("SRC=a.gif");
  }
  ASSERT_EQ(test.doc.AnimList.size(), 3u);
  test.doc.ReloadImages();
  test.doc.ReloadImages();
  EXPECT_EQ(test.doc.AnimList, test.doc.ImageList);
  test.doc.Clear();
  EXPECT_TRUE(test.doc.AnimList.empty());
}

}  // namespace

namespace {

TEST(Images, PendingBytesArriveAndImagesSwitchOnAndOff) {
  TGifBuilder gif(5, 7, {0x000000, 0xFFFFFF});
  gif.Frame(0, 0, 5, 7, TBytes8(35, 1));
  bool ready = false;
  TStringBitmapList cache;
  TPictureLoader loader(cache, 24, {});
  loader.OnImageRequest = [&](const std::string&) {
    TImageRequestAnswer answer;
    answer.Kind = ready ? TImageRequestAnswer::TKind::Stream : TImageRequestAnswer::TKind::Later;
    if (ready) answer.Bytes = gif.Bytes();
    return answer;
  };
  TTestDocument test;
  test.doc.PictureLoader = &loader;
  test.doc.ImageCache = &cache;
  {
    TDocBuilder b(test.doc);
    b.Image("SRC=late.gif").Image("SRC=late.gif");
  }
  ASSERT_EQ(test.doc.ImageList.size(), 2u);
  EXPECT_FALSE(test.doc.ImageList[0]->HasPicture());
  ready = true;
  EXPECT_TRUE(test.doc.ImagesArrived("late.gif"));
  EXPECT_FALSE(test.doc.ImagesArrived("late.gif"));  // nobody waits any more
  for (const TImageObj* image : test.doc.ImageList) {
    EXPECT_TRUE(image->HasPicture());
    EXPECT_EQ(image->NaturalSize(), (TImageSize{5, 7}));
  }

  test.doc.ShowImages = false;
  test.doc.ReloadImages();
  EXPECT_EQ(test.doc.ImageList[0]->Picture().BuiltIn, TBuiltInPicture::NotShown);
  EXPECT_EQ(cache.Find("late.gif")->UsageCount, 0);
  test.doc.ShowImages = true;
  test.doc.ReloadImages();
  EXPECT_TRUE(test.doc.ImageList[1]->HasPicture());
  EXPECT_EQ(cache.Find("late.gif")->UsageCount, 2);
}

TEST(Images, BytesForAnImageOfAnEmptiedDocumentFindNobody) {
  TStringBitmapList cache;
  TPictureLoader loader(cache, 24, {});
  loader.OnImageRequest = [&](const std::string&) {
    return TImageRequestAnswer{TImageRequestAnswer::TKind::Later, {}};
  };
  TTestDocument test;
  test.doc.PictureLoader = &loader;
  test.doc.ImageCache = &cache;
  {
    TDocBuilder b(test.doc);
    b.Image("SRC=gone.gif");
  }
  test.doc.Clear();
  EXPECT_FALSE(test.doc.ImagesArrived("gone.gif"));
}

}  // namespace

namespace {

// A page of PNG pictures from the host: laid out at their natural or given size and drawn
// as they are, a picture with alpha for blending over what is beneath.
TEST(Images, PngPicturesAreLaidOutAndDrawnWithTheirAlpha) {
  const TBytes8 logo = PngTestFile(3, 2, 6, TBytes8(24, 128));
  const TBytes8 opaque = PngTestFile(4, 1, 2, TBytes8(12, 9));
  TStringBitmapList cache;
  TPictureLoader loader(cache, 24, {});
  loader.OnImageRequest = [&](const std::string& src) {
    TImageRequestAnswer answer;
    if (src == "logo.png") answer = {TImageRequestAnswer::TKind::Stream, logo};
    if (src == "bar") answer = {TImageRequestAnswer::TKind::Stream, opaque};
    return answer;
  };
  TTestDocument test;
  test.doc.PictureLoader = &loader;
  test.doc.ImageCache = &cache;
  {
    TDocBuilder b(test.doc);
    b.Image("SRC=logo.png").Image("SRC=bar WIDTH=40").Image("SRC=logo.png HEIGHT=4");
  }
  std::int32_t widest = 0;
  test.doc.DoLogic(0, 400, widest);
  ASSERT_EQ(test.doc.ImageList.size(), 3u);
  test.doc.Draw({0, 0, 400, 100}, 10);
  // Natural size, a width with the height by the aspect ratio, a height likewise.
  const char* expected[] = {"3x2 alpha", "4x1", "3x2 alpha"};
  const std::pair<int, int> sizes[] = {{3, 2}, {40, 10}, {6, 4}};
  for (int i = 0; i < 3; ++i) {
    const TImageObj& image = *test.doc.ImageList[static_cast<std::size_t>(i)];
    const std::int32_t x = 10 + image.DrawX, y = image.DrawY;
    EXPECT_EQ(std::make_pair(image.ImageWidth, image.ImageHeight), sizes[i]);
    EXPECT_TRUE(HasCall(test.canvas, "picture " + std::to_string(x) + "," + std::to_string(y) +
                                         "-" + std::to_string(x + image.ImageWidth) + "," +
                                         std::to_string(y + image.ImageHeight) + " " + expected[i]))
        << i;
  }
  EXPECT_EQ(cache.Count(), 2u) << "the logo is loaded once";
}

}  // namespace

}  // namespace htmlview
