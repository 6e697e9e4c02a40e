#include <string>
#include <utility>

#include "LogoCore.h"
#include "PictureFile.h"

namespace pavina::core {

namespace {

// Two blanks, the path as the dialog gave it, one blank, WxH, two blanks.
std::string PictureCaption(const std::string& path, const TRaster& picture) {
  return "  " + path + " " + std::to_string(picture.Width()) + "x" +
         std::to_string(picture.Height()) + "  ";
}

}  // namespace

// A failed load keeps the old picture, its caption and FMaxX/FMaxY, but leaves no image
// loaded, so that AutoKey and Send wait for a good one.
void TLogoCore::btLoadImageClick() {
  const std::optional<std::string> path = view_.AskForPictureFile();
  if (!path) return;
  TRaster picture;
  if (!pictures::LoadPictureFile(*path, picture)) {
    FImageLoaded = false;
    view_.EnableSend(false);
    view_.ShowRetryMessage("File Read Error");
    return;
  }
  image_ = std::move(picture);
  view_.ShowPictures();
  view_.SetImageCaption(PictureCaption(*path, image_));
  FMaxX = image_.Width() - 1;
  FMaxY = image_.Height() - 1;
  FImageLoaded = true;
  view_.EnableSend(true);
}

// The key's size is its own; the encoder reads it over the image's area. A failed load
// changes nothing but Send, which the next status poll sets again.
void TLogoCore::btLoadKeyClick() {
  const std::optional<std::string> path = view_.AskForPictureFile();
  if (!path) return;
  TRaster picture;
  if (!pictures::LoadPictureFile(*path, picture)) {
    view_.EnableSend(false);
    view_.ShowPlainMessage("File Read Error");
    return;
  }
  key_ = std::move(picture);
  view_.ShowPictures();
  view_.SetKeyCaption(PictureCaption(*path, key_));
  FKeyLoaded = true;
}

}  // namespace pavina::core
