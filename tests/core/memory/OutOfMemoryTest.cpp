#include "TestAllocator.h"
#include "PictureFixture.h"
#include "SimulatedInserter.h"

namespace pavina::core {

namespace {

// Sizes chosen so that one refusal threshold hits exactly one allocation: a 200 x 100
// picture has a 60000-byte raster, a 60054-byte bitmap file and an 80000-byte frame.
constexpr std::int32_t kWidth = 200, kHeight = 100;
constexpr std::size_t kRasterBytes = kWidth * kHeight * 3;
constexpr std::size_t kFrameBytes = kWidth * kHeight * 4;

class OutOfMemory : public PictureFixture {
 protected:
  OutOfMemory() : inserter(serial, clock) {}
  void SetUp() override { OpenPort(); }

  void ExpectSendGaveEverythingBack() {
    EXPECT_FALSE(core.FBusy);
    EXPECT_FALSE(core.FCancel);
    EXPECT_TRUE(view.taggedEnabled);
    EXPECT_FALSE(view.cancelEnabled);
  }

  TSimulatedInserter inserter;
};

TEST_F(OutOfMemory, AFrameThatCannotBeHeldEndsTheSendAndGivesTheControlsBack) {
  LoadImage(Filled(kWidth, kHeight, 0x336699));
  core.FDeviceReady = true;
  {
    const TRefusedAllocations refused(kRasterBytes + 1);  // the automatic key still fits
    EXPECT_THROW(core.btSaveClick(), std::bad_alloc);
  }
  ExpectSendGaveEverythingBack();
  EXPECT_TRUE(serial.writes.empty()) << "nothing was sent";

  // The program goes on: the poll runs again and the next Send goes through.
  core.tmReadyTimer();
  EXPECT_EQ(view.status, "Logo Inserter Simulator Ready");
  core.btSaveClick();
  ASSERT_TRUE(inserter.Logo());
  EXPECT_EQ(inserter.Logo()->width, kWidth);
  ExpectSendGaveEverythingBack();
}

TEST_F(OutOfMemory, AnImageLoadThatRunsOutGivesFileReadErrorAndKeepsEverything) {
  const pictures::TRaster first = Filled(5, 4, 0x00FF00);
  LoadImage(first);
  const std::string caption = view.imageCaption;
  const std::string bitmap = WriteBitmap(Filled(kWidth, kHeight, 0xFF0000), "large.bmp");
  // A 1-bit bitmap: a file of a few kilobytes, the same 60000-byte raster.
  pictures::TBmpTestFile mono;
  mono.width = kWidth, mono.height = kHeight, mono.bits = 1;
  mono.palette = {{0, 0, 0}, {255, 255, 255}};
  mono.pixels.assign(kWidth * kHeight, 1);
  const std::string small = folder.File("mono.bmp");
  pictures::WriteFileBytes(small, mono.Write());
  const std::string jpeg = folder.File("photo.jpg");  // 5770 bytes, a 101469-byte raster
  pictures::WriteFileBytes(jpeg, pictures::ReadFileBytes(pictures::SamplePicture("testorig.jpg")));
  // The readers refuse a raster they cannot have as they refuse a damaged file, without
  // throwing; only the file's buffer is reported as memory that ran out.
  using E = pictures::TPictureError;
  const struct {
    const char* what;
    std::string path;
    std::size_t refusedFrom;
    pictures::TPictureError error;
  } cases[] = {{"file buffer", bitmap, kRasterBytes + 1, E::OutOfMemory},
               {"bitmap raster", small, kRasterBytes, E::Refused},
               {"jpeg raster", jpeg, 100000, E::Refused}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    view.retryMessages.clear();
    {
      const TRefusedAllocations refused(c.refusedFrom);
      EXPECT_EQ(pictures::LoadPictureFile(c.path).error, c.error);
      EXPECT_NO_THROW(LoadImageFile(c.path));
    }
    EXPECT_EQ(view.retryMessages, std::vector<std::string>{"File Read Error ,Try Again"});
    EXPECT_FALSE(core.FImageLoaded);
    EXPECT_FALSE(view.sendEnabled);
    EXPECT_TRUE(core.Image() == first);
    EXPECT_EQ(view.imageCaption, caption);
    EXPECT_EQ(core.FMaxX, 4);
    EXPECT_EQ(core.FMaxY, 3);
  }
  // With the memory back, the same files load.
  LoadImageFile(jpeg);
  EXPECT_TRUE(core.FImageLoaded);
  EXPECT_EQ(core.FMaxX, 226);
}

TEST_F(OutOfMemory, AKeyLoadThatRunsOutGivesThePlainMessageAndKeepsTheKey) {
  const pictures::TRaster key = Filled(3, 3, 0x00FF00);
  LoadKey(key);
  const std::string caption = view.keyCaption;
  const std::string bitmap = WriteBitmap(Filled(kWidth, kHeight, 0xFFFFFF), "large.bmp");
  {
    const TRefusedAllocations refused(kRasterBytes);
    EXPECT_NO_THROW(LoadKeyFile(bitmap));
  }
  EXPECT_EQ(view.plainMessages, std::vector<std::string>{"File Read Error"});
  EXPECT_TRUE(core.Key() == key);
  EXPECT_EQ(view.keyCaption, caption);
  EXPECT_TRUE(core.FKeyLoaded);
}

}  // namespace

}  // namespace pavina::core
