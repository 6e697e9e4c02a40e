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
// loaded, so that AutoKey and Send wait for a good one. A picture with alpha (a PNG) also
// brings its key, as if that had been loaded with Load Key; its colours stay as stored,
// since the inserter mixes them by the key.
pictures::TPictureError TLogoCore::LoadImage(const std::string& path, bool* keyCame) {
  pictures::TPictureResult picture = pictures::LoadPictureFile(path);
  if (keyCame != nullptr) *keyCame = false;
  if (!picture.Ok()) {
    FImageLoaded = false;
    return picture.error;
  }
  image_ = std::move(picture.raster);
  if (!picture.alpha.Empty()) {
    key_ = std::move(picture.alpha);
    FKeyLoaded = true;
    if (keyCame != nullptr) *keyCame = true;
  }
  FMaxX = image_.Width() - 1;
  FMaxY = image_.Height() - 1;
  FImageLoaded = true;
  return pictures::TPictureError::None;
}

// The key's size is its own; the encoder reads it over the image's area. A failed load
// changes nothing.
pictures::TPictureError TLogoCore::LoadKey(const std::string& path) {
  pictures::TPictureResult picture = pictures::LoadPictureFile(path);
  if (!picture.Ok()) return picture.error;
  key_ = std::move(picture.raster);
  FKeyLoaded = true;
  return pictures::TPictureError::None;
}

void TLogoCore::btLoadImageClick() {
  const std::optional<std::string> path = view_.AskForPictureFile();
  if (!path) return;
  bool keyCame = false;
  if (LoadImage(*path, &keyCame) != pictures::TPictureError::None) {
    view_.EnableSend(false);
    view_.ShowRetryMessage(kFileReadError);
    return;
  }
  if (keyCame) view_.SetKeyCaption(PictureCaption(*path, key_));
  view_.ShowPictures();
  view_.SetImageCaption(PictureCaption(*path, image_));
  view_.EnableSend(true);
}

// A failed key load turns Send off; the next status poll sets it again.
void TLogoCore::btLoadKeyClick() {
  const std::optional<std::string> path = view_.AskForPictureFile();
  if (!path) return;
  if (LoadKey(*path) != pictures::TPictureError::None) {
    view_.EnableSend(false);
    view_.ShowPlainMessage(kFileReadError);
    return;
  }
  view_.ShowPictures();
  view_.SetKeyCaption(PictureCaption(*path, key_));
}

}  // namespace pavina::core
