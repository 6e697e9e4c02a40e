#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "Color.h"
#include "Dib.h"
#include "GifImage.h"
#include "ImageCache.h"
#include "PendingImages.h"
#include "Transparency.h"

namespace htmlview {

// The built-in pictures drawn in place of an image.
enum class TBuiltInPicture {
  None,
  NotShown,    // resource 1002: images off, or the bytes are still to come
  CannotLoad,  // resource 1001 with mask 1005: missing, unknown or damaged
};

// A still picture for the screen, with its mask (may be null) and how that was made.
struct TLoadedPicture {
  std::shared_ptr<const TDIB> Bitmap;  // null: no picture
  std::shared_ptr<const TDIB> Mask;
  TTransparencyMode Mode = TTransparencyMode::None;
  // Without a mask: the lower-left mask of the picture before screen conversion, kept in
  // the cache for a later use with TRANSP.
  std::shared_ptr<const TDIB> TranspMask;
};

// The host's answer to OnImageRequest.
struct TImageRequestAnswer {
  enum class TKind { Nothing, Stream, Later };
  TKind Kind = TKind::Nothing;
  std::vector<std::uint8_t> Bytes;
};
using TImageRequestHandler = std::function<TImageRequestAnswer(const std::string& src)>;

// What an IMG (or the background) gets for its SRC.
struct TImageForSource {
  std::shared_ptr<const TDIB> Bitmap;
  std::unique_ptr<TGIFImage> Gif;  // this image's own copy of an animated GIF
  std::shared_ptr<const TDIB> Mask;
  TTransparencyMode Mode = TTransparencyMode::None;
  TBuiltInPicture BuiltIn = TBuiltInPicture::None;
  bool Pending = false;
  bool FromCache = false;
  // The cache entry this image uses, to release when the image is freed; empty for none.
  std::string CacheName;
};

// Turns image names into pictures through the shared cache.
class TPictureLoader {
 public:
  // `screenDepth` as ClassifyScreenDepth gives it; `sharedPalette` is used on 8-bit screens.
  TPictureLoader(TStringBitmapList& cache, int screenDepth, TPalette sharedPalette);

  // Supplies images by name; while it is assigned names are not expanded to files.
  TImageRequestHandler OnImageRequest;
  // Expands a SRC to a file name as for link targets; unassigned keeps the name.
  std::function<std::string(const std::string&)> ExpandFileName;

  // The picture for an IMG or the background (while images are on). `waiter` is the
  // image that waits when the name's bytes come later.
  TImageForSource GetImage(const std::string& src, bool transp, TPendingImages::TWaiter waiter = 0);
  // A picture file: BMP, the first frame of a GIF, JPEG or PNG (with its alpha, mode Png);
  // anything else gives no picture.
  TLoadedPicture LoadPictureFile(const std::string& fileName, bool transp) const;

  TPendingImages& Pending() { return pending_; }

 private:
  // Bitmap, JPEG or PNG bytes as a picture (32 bits for a PNG with alpha); false when
  // they are none of these or damaged.
  bool LoadStill(const std::vector<std::uint8_t>& bytes, TDIB& picture) const;
  TLoadedPicture Finish(TDIB picture, TTransparencyMode mode, TDIB mask) const;
  // Png for a picture with alpha, else LowerLeft with TRANSP.
  static TTransparencyMode ModeOf(const TDIB& picture, bool transp);
  // Fills `result` from a decoded GIF and caches it; false when the GIF failed.
  bool TakeGif(const std::string& name, const std::vector<std::uint8_t>& bytes, bool transp,
               TImageForSource& result);

  TStringBitmapList& cache_;
  int screenDepth_;
  TPalette sharedPalette_;
  TPendingImages pending_;
};

}  // namespace htmlview
