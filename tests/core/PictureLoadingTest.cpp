#include "PictureFixture.h"

namespace pavina::core {

namespace {

class PictureLoading : public PictureFixture {};

TEST_F(PictureLoading, AnImageSetsItsCaptionSizeAndSend) {
  const pictures::TRaster picture = Filled(120, 40, 0x123456);
  const std::string path = WriteBitmap(picture, "station.bmp");
  LoadImageFile(path);
  EXPECT_EQ(view.imageCaption, "  " + path + " 120x40  ");
  EXPECT_EQ(core.FMaxX, 119);
  EXPECT_EQ(core.FMaxY, 39);
  EXPECT_TRUE(core.FImageLoaded);
  EXPECT_TRUE(view.sendEnabled);
  EXPECT_TRUE(core.Image() == picture);
  EXPECT_EQ(view.log,
            (std::vector<std::string>{"askFile", "pictures", "imageCaption:  " + path + " 120x40  ",
                                      "send:on"}));
  // The key is left alone.
  EXPECT_TRUE(core.Key().Empty());
  EXPECT_FALSE(core.FKeyLoaded);
  EXPECT_EQ(view.keyCaption, "  Key Info  ");
}

TEST_F(PictureLoading, CancellingEitherRequestChangesNothing) {
  LoadImage(Filled(3, 2, 0xFFFFFF));
  view.sendEnabled = false;  // as a status poll without an inserter leaves it
  view.log.clear();
  core.btLoadImageClick();  // no answer queued: the operator cancels
  core.btLoadKeyClick();
  EXPECT_EQ(view.log, (std::vector<std::string>{"askFile", "askFile"}));
  EXPECT_FALSE(view.sendEnabled);
  EXPECT_TRUE(core.FImageLoaded);
  EXPECT_FALSE(core.FKeyLoaded);
  EXPECT_EQ(core.Image().Width(), 3);
}

// The results under the load handlers: the image's size and FImageLoaded, or why not.
TEST_F(PictureLoading, LoadImageSetsTheSizeOrSaysWhyNot) {
  const std::string jpeg = folder.File("photo.JPEG");
  pictures::WriteFileBytes(jpeg, pictures::ReadFileBytes(pictures::SamplePicture("testorig.jpg")));
  using E = pictures::TPictureError;
  const struct {
    std::string path;
    pictures::TPictureError error;
    std::int32_t maxX, maxY;
  } cases[] = {
      {WriteBitmap(Filled(2, 3, 0x0000FF), "LOGO.BMP"), E::None, 1, 2},
      {jpeg, E::None, 226, 148},
      {WriteBitmap(Filled(2, 2, 0), "logo.gif"), E::UnknownFormat, 226, 148},
      {WriteBitmap(Filled(2, 2, 0), "logo.png"), E::Refused, 226, 148},
      {folder.File("absent.bmp"), E::CannotRead, 226, 148},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(core.LoadImage(c.path), c.error) << c.path;
    EXPECT_EQ(core.FImageLoaded, c.error == E::None) << c.path;
    EXPECT_EQ(core.FMaxX, c.maxX) << c.path;
    EXPECT_EQ(core.FMaxY, c.maxY) << c.path;
  }
  EXPECT_TRUE(view.log.empty());  // the results show nothing; the handlers do
  EXPECT_EQ(core.LoadKey(folder.File("key.gif")), E::UnknownFormat);
  EXPECT_FALSE(core.FKeyLoaded);
}

// The frame of a PNG with alpha is that of its colours and its alpha loaded as two
// bitmaps, image and key; an opaque PNG leaves the key alone.
TEST_F(PictureLoading, APngWithAlphaBringsItsKeyAndAnOpaqueOneDoesNot) {
  const std::string png = pictures::VariantPicture("alpha.png");
  LoadImageFile(png);
  ASSERT_TRUE(core.FImageLoaded);
  EXPECT_TRUE(core.FKeyLoaded);
  EXPECT_EQ(view.keyCaption, "  " + png + " 227x149  ");
  EXPECT_EQ(view.imageCaption, "  " + png + " 227x149  ");
  core.EncodeFrame();
  const TBytes fromPng = core.FFrame;

  LoadImageFile(pictures::VariantPicture("alpha-colour.bmp"));
  LoadKeyFile(pictures::VariantPicture("alpha-key.bmp"));
  const pictures::TRaster key = core.Key();
  core.EncodeFrame();
  EXPECT_EQ(core.FFrame, fromPng);

  LoadImageFile(pictures::VariantPicture("opaque.png"));
  EXPECT_TRUE(core.FImageLoaded);
  EXPECT_EQ(view.keyCaption, "  " + pictures::VariantPicture("alpha-key.bmp") + " 227x149  ");
  EXPECT_TRUE(core.Key() == key);
}

TEST_F(PictureLoading, AFailedImageLoadKeepsThePictureButLeavesNoImageLoaded) {
  const pictures::TRaster first = Filled(5, 4, 0x00FF00);
  LoadImage(first);
  const std::string caption = view.imageCaption;
  view.log.clear();
  for (const char* bad : {"absent.bmp", "damaged.bmp"}) {
    if (std::string(bad) == "damaged.bmp")
      pictures::WriteFileBytes(folder.File(bad), {'B', 'M', 0, 0});
    LoadImageFile(folder.File(bad));
    EXPECT_FALSE(core.FImageLoaded) << bad;
    EXPECT_FALSE(view.sendEnabled) << bad;
    EXPECT_TRUE(core.Image() == first) << bad;
    EXPECT_EQ(view.imageCaption, caption) << bad;
    EXPECT_EQ(core.FMaxX, 4) << bad;
    EXPECT_EQ(core.FMaxY, 3) << bad;
  }
  EXPECT_EQ(view.log, (std::vector<std::string>{"askFile", "send:off", "retry:File Read Error",
                                                "askFile", "send:off", "retry:File Read Error"}));
  EXPECT_TRUE(view.plainMessages.empty());
}

TEST_F(PictureLoading, AKeyHasItsOwnSizeAndLeavesTheImageAndSendAlone) {
  const pictures::TRaster key = Filled(30, 10, 0x00FF00);
  const std::string path = WriteBitmap(key, "key.bmp");
  LoadKeyFile(path);
  EXPECT_EQ(view.keyCaption, "  " + path + " 30x10  ");
  EXPECT_TRUE(core.FKeyLoaded);
  EXPECT_FALSE(core.FImageLoaded);
  EXPECT_TRUE(core.Key() == key);
  EXPECT_FALSE(view.Logged("send:on"));
  EXPECT_EQ(view.imageCaption, "  Image Info  ");
}

TEST_F(PictureLoading, AFailedKeyLoadShowsAPlainMessageTurnsSendOffAndKeepsTheKey) {
  LoadImage(Filled(4, 4, 0xFFFFFF));
  const pictures::TRaster key = Filled(2, 2, 0x00FF00);
  LoadKey(key);
  const std::string caption = view.keyCaption;
  view.log.clear();
  LoadKeyFile(folder.File("key.gif"));
  EXPECT_EQ(view.log, (std::vector<std::string>{"askFile", "send:off", "plain:File Read Error"}));
  EXPECT_EQ(view.plainMessages, (std::vector<std::string>{"File Read Error"}));
  EXPECT_TRUE(view.retryMessages.empty());
  EXPECT_TRUE(core.Key() == key);
  EXPECT_EQ(view.keyCaption, caption);
  EXPECT_TRUE(core.FKeyLoaded);
  EXPECT_TRUE(core.FImageLoaded);
}

}  // namespace

}  // namespace pavina::core
