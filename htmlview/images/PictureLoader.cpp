#include "PictureLoader.h"

#include <algorithm>
#include <exception>
#include <optional>

#include "BmpReader.h"
#include "ColorReduction.h"
#include "FileBytes.h"
#include "GifDecoder.h"
#include "ImageFormat.h"
#include "JpegReader.h"
#include "PngReader.h"
#include "Raster.h"
#include "text/AsciiCase.h"

namespace {

// Shorter host streams cannot hold a bitmap, JPEG or PNG header.
constexpr std::size_t kMinStreamBytes = 20;

std::string UpperExtension(const std::string& name) {
  const std::size_t dot = name.find_last_of('.');
  if (dot == std::string::npos || name.find_first_of("/\\", dot) != std::string::npos) return {};
  return UpperText(name.substr(dot));
}

}  // namespace

TPictureLoader::TPictureLoader(TStringBitmapList& cache, int screenDepth, TPalette sharedPalette)
    : cache_(cache), screenDepth_(screenDepth), sharedPalette_(std::move(sharedPalette)) {}

bool TPictureLoader::LoadStill(const std::vector<std::uint8_t>& bytes, TDIB& picture) const {
  pavina::pictures::TRaster raster;
  switch (RecognizeImageFormat(bytes.data(), bytes.size())) {
    case TImageFormat::Bitmap:
      if (!pavina::pictures::ReadBmp(bytes.data(), bytes.size(), raster)) return false;
      picture = TDIB::FromRaster(raster);
      return true;
    case TImageFormat::Jpeg:
      if (!pavina::pictures::ReadJpeg(bytes.data(), bytes.size(), raster)) return false;
      picture = TDIB::FromRaster(raster);
      if (screenDepth_ <= 8)
        picture = ReduceColors(picture, TPaletteKind::Shared, TDitherMode::FloydSteinberg,
                               sharedPalette_);
      return true;
    case TImageFormat::Png: {
      pavina::pictures::TRaster alpha;
      if (!pavina::pictures::ReadPng(bytes.data(), bytes.size(), raster, alpha)) return false;
      picture = TDIB::FromRaster(raster, alpha);
      return true;
    }
    default:
      return false;
  }
}

TTransparencyMode TPictureLoader::ModeOf(const TDIB& picture, bool transp) {
  if (picture.HasAlpha()) return TTransparencyMode::Png;
  return transp ? TTransparencyMode::LowerLeft : TTransparencyMode::None;
}

TLoadedPicture TPictureLoader::Finish(TDIB picture, TTransparencyMode mode, TDIB mask) const {
  TLoadedPicture loaded;
  loaded.Mode = mode;
  // The mask comes from the picture as decoded, before any colour reduction. A palette
  // screen cannot blend: there a PNG's alpha becomes a mask.
  if (mask.Empty() && mode == TTransparencyMode::LowerLeft) mask = MakeLowerLeftMask(picture);
  if (mask.Empty() && picture.HasAlpha() && screenDepth_ <= 8) mask = MakeAlphaMask(picture);
  if (!mask.Empty())
    loaded.Mask = std::make_shared<const TDIB>(std::move(mask));
  else
    loaded.TranspMask = std::make_shared<const TDIB>(MakeLowerLeftMask(picture));
  loaded.Bitmap = std::make_shared<const TDIB>(
      ConvertForScreen(std::move(picture), screenDepth_, sharedPalette_));
  return loaded;
}

TLoadedPicture TPictureLoader::LoadPictureFile(const std::string& fileName, bool transp) const {
  TLoadedPicture none;
  const auto bytes = ReadFileBytes(fileName);
  if (!bytes) return none;
  const std::string extension = UpperExtension(fileName);
  none.Mode = transp ? TTransparencyMode::LowerLeft : TTransparencyMode::None;
  std::optional<std::uint8_t> gifIndex;
  if (extension == ".GIF" && (gifIndex = FindLeadingGifTransparency(bytes->data(), bytes->size())))
    none.Mode = TTransparencyMode::GifColor;

  try {
    TDIB picture;
    TDIB mask;
    if (IsGif(RecognizeImageFormat(bytes->data(), bytes->size()))) {
      TGIFImage gif;
      if (gif.LoadFromStream(bytes->data(), bytes->size()) != TGifStatus::Loaded) return none;
      picture = gif.FirstFrameBitmap();
      if (gifIndex) {
        // Pixels of the transparent index, not of its colour: another entry may share it.
        const TgfFrame& first = gif.Frame(1);
        mask = first.Transparent && first.TransparentIndex == *gifIndex
                   ? gif.FirstFrameMask()
                   : MakeColorMask(picture, gif.GlobalPalette()[*gifIndex]);
      }
    } else if (!LoadStill(*bytes, picture)) {
      return none;
    } else {
      none.Mode = ModeOf(picture, transp);
    }
    return Finish(std::move(picture), none.Mode, std::move(mask));
  } catch (const std::exception&) {
    return none;
  }
}

bool TPictureLoader::TakeGif(const std::string& name, const std::vector<std::uint8_t>& bytes,
                             bool transp, TImageForSource& result) {
  auto gif = std::make_shared<TGIFImage>();
  if (gif->LoadFromStream(bytes.data(), bytes.size()) != TGifStatus::Loaded) {
    cache_.FreeUnused();
    return false;
  }
  TBitmapItem item;
  if (gif->IsAnimated()) {
    item.Mode = gif->CompositeMask() ? TTransparencyMode::GifColor : TTransparencyMode::None;
    result.Gif = std::make_unique<TGIFImage>(*gif);
    item.Gif = std::move(gif);
  } else {
    // One frame is a plain picture; the GIF object goes.
    TTransparencyMode mode = transp ? TTransparencyMode::LowerLeft : TTransparencyMode::None;
    TDIB mask;
    if (gif->Frame(1).Transparent) {
      mode = TTransparencyMode::GifColor;
      mask = gif->FirstFrameMask();
    }
    TLoadedPicture still = Finish(gif->FirstFrameBitmap(), mode, std::move(mask));
    item.Bitmap = still.Bitmap;
    item.Mask = still.Mask;
    item.TranspMask = still.TranspMask;
    item.Mode = mode;
    result.Bitmap = still.Bitmap;
  }
  result.Mask = item.Mask;
  result.Mode = item.Mode;
  cache_.Add(name, std::move(item));
  result.CacheName = name;
  return true;
}

TImageForSource TPictureLoader::GetImage(const std::string& src, bool transp,
                                         TPendingImages::TWaiter waiter) {
  TImageForSource result;
  const std::string name = OnImageRequest || !ExpandFileName ? src : ExpandFileName(src);
  const auto wait = [&] {
    pending_.Add(name, waiter);
    result.Pending = true;
    result.BuiltIn = TBuiltInPicture::NotShown;
    return std::move(result);
  };
  if (pending_.Contains(name)) return wait();

  try {
    if (TBitmapItem* item = cache_.Take(name)) {
      result.FromCache = true;
      result.CacheName = name;
      if (transp && item->Bitmap && !item->Mask && item->TranspMask) {
        item->Mask = item->TranspMask;
        item->Mode = TTransparencyMode::LowerLeft;
      }
      result.Bitmap = item->Bitmap;
      if (item->Gif) result.Gif = std::make_unique<TGIFImage>(*item->Gif);
      result.Mask = item->Mask;
      result.Mode = item->Mode;
      return result;
    }

    TLoadedPicture still;
    if (OnImageRequest) {
      TImageRequestAnswer answer = OnImageRequest(name);
      if (answer.Kind == TImageRequestAnswer::TKind::Later) return wait();
      const std::vector<std::uint8_t>& bytes = answer.Bytes;
      if (answer.Kind == TImageRequestAnswer::TKind::Stream && !bytes.empty()) {
        const TImageFormat format = RecognizeImageFormat(bytes.data(), bytes.size());
        TDIB picture;
        if (IsGif(format)) {
          TakeGif(name, bytes, transp, result);
        } else if (bytes.size() >= kMinStreamBytes && LoadStill(bytes, picture)) {
          const TTransparencyMode mode = ModeOf(picture, transp);
          still = Finish(std::move(picture), mode, TDIB{});
        }
      }
    } else if (UpperExtension(name) == ".GIF") {
      const auto bytes = ReadFileBytes(name);
      if (bytes)
        TakeGif(name, *bytes, transp, result);
      else
        cache_.FreeUnused();
    } else {
      still = LoadPictureFile(name, transp);
      result.Mode = still.Mode;
    }
    if (still.Bitmap) {
      result.Bitmap = still.Bitmap;
      result.Mask = still.Mask;
      result.Mode = still.Mode;
      TBitmapItem item;
      item.Bitmap = still.Bitmap;
      item.Mask = still.Mask;
      item.Mode = still.Mode;
      item.TranspMask = still.TranspMask;
      cache_.Add(name, std::move(item));
      result.CacheName = name;
    }
  } catch (const std::exception&) {
    // A picture that cannot be made is the cannot-load picture, like any other failure.
  }
  if (!result.Bitmap && !result.Gif) result.BuiltIn = TBuiltInPicture::CannotLoad;
  return result;
}
