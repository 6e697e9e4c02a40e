#include "PictureFixture.h"

namespace pavina::core {

namespace {

class AutoKey : public PictureFixture {};

TEST_F(AutoKey, OnlyPureBlackGivesKeyZero) {
  const std::uint32_t colors[] = {0x000000, 0x000001, 0x000100, 0x010000, 0x080808, 0xFFFFFF};
  pictures::TRaster image(6, 2);
  for (int x = 0; x < 6; ++x) {
    image.WritePixel(x, 0, colors[x] & 0xFF, (colors[x] >> 8) & 0xFF, colors[x] >> 16);
    image.WritePixel(x, 1, 0, 0, 0);
  }
  LoadImage(image);
  view.log.clear();
  core.btAutoKeyClick();
  ASSERT_EQ(core.Key().Width(), 6);
  ASSERT_EQ(core.Key().Height(), 2);
  const std::uint32_t white = 0xFFFFFF;
  for (int x = 0; x < 6; ++x) {
    EXPECT_EQ(core.Key().ReadPixel(x, 0), x == 0 ? 0u : white)
        << "colour " << std::hex << colors[x];
    EXPECT_EQ(core.Key().ReadPixel(x, 1), 0u);
  }
  EXPECT_TRUE(core.FKeyLoaded);
  EXPECT_EQ(view.keyCaption, "  Auto  ");
  EXPECT_EQ(view.log, (std::vector<std::string>{"keyCaption:  Auto  ", "pictures"}));
}

TEST_F(AutoKey, AnAllBlackImageGivesAnAllBlackKeyReplacingALoadedOne) {
  LoadKey(Filled(9, 9, 0xFFFFFF));
  LoadImage(Filled(7, 3, 0x000000));
  core.btAutoKeyClick();
  EXPECT_TRUE(core.Key() == Filled(7, 3, 0x000000));
  EXPECT_EQ(view.keyCaption, "  Auto  ");
}

TEST_F(AutoKey, WithoutAnImageNothingChanges) {
  core.btAutoKeyClick();
  EXPECT_TRUE(view.log.empty());
  EXPECT_FALSE(core.FKeyLoaded);
  EXPECT_TRUE(core.Key().Empty());
  EXPECT_EQ(view.keyCaption, "  Key Info  ");

  // After a failed image load: the loaded key and its caption stay.
  LoadImage(Filled(4, 4, 0xFFFFFF));
  LoadKey(Filled(2, 2, 0x00FF00));
  const std::string caption = view.keyCaption;
  LoadImageFile(folder.File("absent.jpg"));
  ASSERT_FALSE(core.FImageLoaded);
  view.log.clear();
  core.btAutoKeyClick();
  EXPECT_TRUE(view.log.empty());
  EXPECT_TRUE(core.Key() == Filled(2, 2, 0x00FF00));
  EXPECT_EQ(view.keyCaption, caption);
}

TEST_F(AutoKey, ANewImageKeepsTheOldAutomaticKey) {
  LoadImage(Filled(10, 5, 0x202020));
  core.btAutoKeyClick();
  LoadImage(Filled(20, 8, 0x000000));
  EXPECT_TRUE(core.FKeyLoaded);
  EXPECT_TRUE(core.Key() == Filled(10, 5, 0xFFFFFF));
  EXPECT_EQ(view.keyCaption, "  Auto  ");
}

// Send without a key makes the automatic key first, and the frame carries it.
TEST_F(AutoKey, SendWithoutAKeyMakesItFirst) {
  pictures::TRaster image = Filled(3, 1, 0x000000);
  image.WritePixel(1, 0, 1, 0, 0);
  LoadImage(image);
  view.keyOffset = 0;
  core.btSaveClick();  // no inserter answers: the upload fails after the frame is built
  EXPECT_TRUE(core.FKeyLoaded);
  EXPECT_EQ(view.keyCaption, "  Auto  ");
  ASSERT_EQ(core.FFrame.size(), 12u);
  EXPECT_EQ(core.FFrame[0], 0x00);  // black: key 0
  EXPECT_EQ(core.FFrame[4], 0xFC);  // K6 = 63 in the upper six bits
  EXPECT_EQ(core.FFrame[8], 0x00);
}

}  // namespace

}  // namespace pavina::core
