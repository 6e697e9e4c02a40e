#pragma once

#include <string>

#include "BmpTestFile.h"
#include "CoreFixture.h"
#include "PictureTestFiles.h"

namespace pavina::core {

// A core whose pictures come from files written into a folder of the test's own, and
// are loaded as the operator would: through the file request and the load buttons.
class PictureFixture : public CoreFixture {
 protected:
  // Writes the picture as a 24-bit bitmap and returns its path.
  std::string WriteBitmap(const pictures::TRaster& picture,
                          const std::string& name = "picture.bmp") {
    pictures::TBmpTestFile file;
    file.width = picture.Width(), file.height = picture.Height();
    for (std::int32_t y = 0; y < picture.Height(); ++y)
      for (std::int32_t x = 0; x < picture.Width(); ++x)
        file.pixels.push_back(picture.ReadPixel(x, y));
    const std::string path = folder.File(name);
    pictures::WriteFileBytes(path, file.Write());
    return path;
  }
  void LoadImageFile(const std::string& path) {
    view.fileAnswers.push_back(path);
    core.btLoadImageClick();
  }
  void LoadKeyFile(const std::string& path) {
    view.fileAnswers.push_back(path);
    core.btLoadKeyClick();
  }
  void LoadImage(const pictures::TRaster& picture) {
    LoadImageFile(WriteBitmap(picture, "image.bmp"));
    ASSERT_TRUE(core.FImageLoaded);
  }
  void LoadKey(const pictures::TRaster& picture) {
    LoadKeyFile(WriteBitmap(picture, "key.bmp"));
    ASSERT_TRUE(core.FKeyLoaded);
  }

  pictures::TTempFolder folder;
};

// A picture of one colour (red | green << 8 | blue << 16).
inline pictures::TRaster Filled(std::int32_t width, std::int32_t height, std::uint32_t color) {
  pictures::TRaster picture(width, height);
  for (std::int32_t y = 0; y < height; ++y)
    for (std::int32_t x = 0; x < width; ++x)
      picture.WritePixel(x, y, color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF);
  return picture;
}

}  // namespace pavina::core
