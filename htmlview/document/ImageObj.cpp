#include "ImageObj.h"

#include <algorithm>
#include <cstdlib>

#include "SectionList.h"
#include "text/AsciiCase.h"

namespace htmlview {

namespace {

constexpr std::int32_t kMaxSpace = 40;
constexpr std::int32_t kFloatHSpace = 5;
// Pictures are far smaller; the bound keeps coordinate sums from overflowing.
constexpr std::int32_t kMaxImageSide = 32000;
constexpr std::int32_t kBuiltInInset = 4;
constexpr std::int32_t kBuiltInBox = 24;
constexpr std::int32_t kAltTextLeft = 24;
constexpr std::int32_t kAltPointSize = 8;
// The sunken box is drawn only near the view (from 200 above to 3000 below its top).
constexpr std::int32_t kFrameAbove = 200;
constexpr std::int32_t kFrameBelow = 3000;
constexpr TColor kSilver = MakeColor(192, 192, 192);

}  // namespace

TImageAlign ImageAlignFromText(const std::string& text) {
  const std::string word = UpperText(text);
  if (word == "TOP") return TImageAlign::Top;
  if (word == "MIDDLE" || word == "ABSMIDDLE") return TImageAlign::Middle;
  if (word == "LEFT") return TImageAlign::Left;
  if (word == "RIGHT") return TImageAlign::Right;
  return TImageAlign::Bottom;
}

TImageObj::TImageObj(TSectionList& doc, const TAttributeList& attributes,
                     std::shared_ptr<TUrlTarget> link)
    : Link(std::move(link)), doc_(doc) {
  Source = attributes.Text(TAttrSymbol::SRC);
  Alt = attributes.Text(TAttrSymbol::ALT);
  ObjAlign = ImageAlignFromText(attributes.Text(TAttrSymbol::ALIGN));
  if (attributes.Has(TAttrSymbol::WIDTH)) {
    const std::int32_t width = attributes.Number(TAttrSymbol::WIDTH);
    SpecSize.WidthIsPercent = attributes.IsPercent(TAttrSymbol::WIDTH);
    SpecSize.Width =
        SpecSize.WidthIsPercent ? std::clamp(width, 1, 100) : std::clamp(width, 0, kMaxImageSide);
  }
  if (attributes.Has(TAttrSymbol::HEIGHT))
    SpecSize.Height = std::clamp(attributes.Number(TAttrSymbol::HEIGHT), 1, kMaxImageSide);
  const auto space = [&](TAttrSymbol which, std::int32_t fallback) {
    if (!attributes.Has(which)) return fallback;
    return std::min(kMaxSpace, std::abs(std::max(attributes.Number(which), -kMaxSpace)));
  };
  HSpace = space(TAttrSymbol::HSPACE, IsFloating() ? kFloatHSpace : 0);
  VSpace = space(TAttrSymbol::VSPACE, 0);
  NoBorder = attributes.Has(TAttrSymbol::BORDER) && attributes.Number(TAttrSymbol::BORDER) == 0;
  Transparent = attributes.Has(TAttrSymbol::TRANSP);
  IsMap = attributes.Has(TAttrSymbol::ISMAP);
  UseMap = UpperText(attributes.Text(TAttrSymbol::USEMAP));
  if (!UseMap.empty() && UseMap[0] == '#') UseMap.erase(0, 1);
  Active = attributes.Has(TAttrSymbol::ACTIVE);

  doc_.AddImage(*this);
  Fetch();
}

void TImageObj::Fetch() {
  TImageForSource picture;
  picture.BuiltIn = TBuiltInPicture::NotShown;
  if (doc_.ShowImages && doc_.PictureLoader) {
    try {
      picture = doc_.PictureLoader->GetImage(Source, Transparent,
                                             reinterpret_cast<TPendingImages::TWaiter>(this));
    } catch (const std::exception&) {
      picture = TImageForSource();
      picture.BuiltIn = TBuiltInPicture::CannotLoad;
    }
  }
  SetPicture(std::move(picture));
}

TImageObj::~TImageObj() {
  doc_.RemoveImage(*this);
  ReleasePicture();
}

void TImageObj::ReleasePicture() {
  if (!picture_.CacheName.empty() && doc_.ImageCache) doc_.ImageCache->Release(picture_.CacheName);
  picture_ = TImageForSource();
}

void TImageObj::SetPicture(TImageForSource picture) {
  ReleasePicture();
  picture_ = std::move(picture);
  if (!HasPicture() && picture_.BuiltIn == TBuiltInPicture::None)
    picture_.BuiltIn = TBuiltInPicture::CannotLoad;
  doc_.ImageChanged(*this);
}

TImageSize TImageObj::NaturalSize() const {
  if (picture_.Gif) return {picture_.Gif->Width(), picture_.Gif->Height()};
  if (picture_.Bitmap) return {picture_.Bitmap->Width(), picture_.Bitmap->Height()};
  return {};
}

TImageSize TImageObj::AltTextSize() const {
  TCanvas& canvas = doc_.Canvas();
  const TFontHandle font = canvas.Font({"Arial", kAltPointSize, 0, doc_.CharSet});
  if (Alt.empty()) return {};
  return {canvas.TextWidth(font, Alt), canvas.Metrics(font).Height};
}

TImageSize TImageObj::SizeFor(std::int32_t availableWidth) const {
  TImageSize size = HasPicture()
                        ? ImageDrawSize(SpecSize, NaturalSize(), std::max(0, availableWidth))
                        : PlaceholderBoxSize(SpecSize, std::max(0, availableWidth), AltTextSize());
  if (HasBorder()) {
    size.Width += 2;
    size.Height += 2;
  }
  return {std::clamp(size.Width, 0, kMaxImageSide), std::clamp(size.Height, 0, kMaxImageSide)};
}

void TImageObj::Measure(std::int32_t availableWidth) {
  const TImageSize size = SizeFor(availableWidth);
  ImageWidth = size.Width;
  ImageHeight = size.Height;
}

void TImageObj::Draw(std::int32_t x, std::int32_t y) {
  drawnX_ = x;
  drawnY_ = y;
  TCanvas& canvas = doc_.Canvas();
  TRect box{x, y, x + ImageWidth, y + ImageHeight};
  if (HasBorder()) {
    canvas.FrameRect(box, doc_.HotSpotColor);
    box = {box.Left + 1, box.Top + 1, box.Right - 1, box.Bottom - 1};
  }
  if (box.Width() <= 0 || box.Height() <= 0) return;
  if (picture_.Gif) {
    canvas.DrawPicture(box, picture_.Gif->Composite(), picture_.Gif->CompositeMask());
    picture_.Gif->MarkDrawn();
  } else if (picture_.Bitmap) {
    canvas.DrawPicture(box, *picture_.Bitmap, picture_.Mask.get());
  } else {
    DrawAltBox(box.Left, box.Top, box.Width(), box.Height());
  }
}

void TImageObj::DrawAltBox(std::int32_t x, std::int32_t y, std::int32_t width,
                           std::int32_t height) {
  TCanvas& canvas = doc_.Canvas();
  if (y >= doc_.YOff - kFrameAbove && y <= doc_.YOff + kFrameBelow) {
    const TColor highlight =
        doc_.Background == kWhite ? kSilver : canvas.SystemColor(TSystemColor::ButtonHighlight);
    canvas.Edge3D({x, y, x + width, y + height}, canvas.SystemColor(TSystemColor::ButtonShadow),
                  highlight);
  }
  if (width >= kBuiltInBox && height >= kBuiltInBox)
    canvas.DrawBuiltIn(picture_.BuiltIn, x + kBuiltInInset, y + kBuiltInInset);
  const std::int32_t room = width - kAltTextLeft;
  if (Alt.empty() || room <= 0) return;

  // The ALT text, wrapped at spaces to the box, while whole lines fit its height; a word
  // wider than the box is cut at its edge.
  const TFontHandle font = canvas.Font({"Arial", kAltPointSize, 0, doc_.CharSet});
  const TFontMetrics metrics = canvas.Metrics(font);
  const TTextPaint paint{Link ? doc_.HotSpotColor : doc_.FontColor, false, kWhite};
  canvas.PushClip({x, y, x + width, y + height});
  const std::string_view text = Alt;
  std::size_t start = 0;
  for (std::int32_t top = y; start < text.size() && top + metrics.Height <= y + height;
       top += metrics.Height) {
    std::size_t count =
        static_cast<std::size_t>(std::max(1, canvas.FitCount(font, text.substr(start), room)));
    if (start + count < text.size() && text[start + count] != ' ') {
      const std::size_t space = text.rfind(' ', start + count - 1);
      if (space != std::string_view::npos && space > start) count = space - start;
    }
    canvas.TextOut(x + kAltTextLeft, top + metrics.Ascent, font, text.substr(start, count), paint);
    start += count;
    while (start < text.size() && text[start] == ' ') ++start;
  }
  canvas.PopClip();
}

}  // namespace htmlview
