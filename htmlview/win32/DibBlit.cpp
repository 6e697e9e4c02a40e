#include "win32/DibBlit.h"

#include <algorithm>
#include <vector>

namespace {
// The header and colour table of a top-down DIB.
std::vector<std::uint8_t> DibHeader(const TDIB& picture, bool asMask) {
  const int colours = picture.BitsPerPixel() <= 8 ? 1 << picture.BitsPerPixel() : 0;
  std::vector<std::uint8_t> storage(sizeof(BITMAPINFOHEADER) + sizeof(RGBQUAD) * colours);
  auto* info = reinterpret_cast<BITMAPINFO*>(storage.data());
  info->bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info->bmiHeader.biWidth = picture.Width();
  info->bmiHeader.biHeight = -picture.Height();
  info->bmiHeader.biPlanes = 1;
  info->bmiHeader.biBitCount = static_cast<WORD>(picture.BitsPerPixel());
  info->bmiHeader.biCompression = BI_RGB;
  info->bmiHeader.biClrUsed = static_cast<DWORD>(colours);
  for (int i = 0; i < colours; ++i) {
    TColor colour = kBlack;
    if (asMask)
      colour = i == 0 ? kBlack : kWhite;
    else if (static_cast<std::size_t>(i) < picture.Palette().size())
      colour = picture.Palette()[static_cast<std::size_t>(i)];
    info->bmiColors[i] = RGBQUAD{BlueOf(colour), GreenOf(colour), RedOf(colour), 0};
  }
  return storage;
}

void Stretch(HDC dc, const TRect& dest, const TDIB& picture, bool asMask, DWORD rop) {
  const std::vector<std::uint8_t> header = DibHeader(picture, asMask);
  ::StretchDIBits(dc, dest.Left, dest.Top, dest.Width(), dest.Height(), 0, 0, picture.Width(),
                  picture.Height(), picture.Row(0),
                  reinterpret_cast<const BITMAPINFO*>(header.data()), DIB_RGB_COLORS, rop);
}

bool Drawable(const TDIB& picture) {
  return !picture.Empty() && picture.Width() > 0 && picture.Height() > 0 &&
         (picture.BitsPerPixel() == 1 || picture.BitsPerPixel() == 8 ||
          picture.BitsPerPixel() == 24);
}
}  // namespace

void DrawDib(HDC dc, const TRect& dest, const TDIB& picture, const TDIB* mask) {
  if (!Drawable(picture) || dest.Width() <= 0 || dest.Height() <= 0) return;
  ::SetStretchBltMode(dc, COLORONCOLOR);
  const bool masked = mask && Drawable(*mask) && mask->BitsPerPixel() == 1 &&
                      mask->Width() == picture.Width() && mask->Height() == picture.Height();
  if (!masked) {
    Stretch(dc, dest, picture, false, SRCCOPY);
    return;
  }
  Stretch(dc, dest, picture, false, SRCINVERT);
  Stretch(dc, dest, *mask, true, SRCAND);
  Stretch(dc, dest, picture, false, SRCINVERT);
}

void DrawBitmap(HDC dc, int x, int y, HBITMAP bitmap, HBITMAP mask) {
  if (!bitmap) return;
  BITMAP info{};
  ::GetObjectA(bitmap, sizeof(info), &info);
  HDC source = ::CreateCompatibleDC(dc);
  HGDIOBJ before = ::SelectObject(source, bitmap);
  if (!mask) {
    ::BitBlt(dc, x, y, info.bmWidth, info.bmHeight, source, 0, 0, SRCCOPY);
  } else {
    ::BitBlt(dc, x, y, info.bmWidth, info.bmHeight, source, 0, 0, SRCINVERT);
    ::SelectObject(source, mask);
    ::BitBlt(dc, x, y, info.bmWidth, info.bmHeight, source, 0, 0, SRCAND);
    ::SelectObject(source, bitmap);
    ::BitBlt(dc, x, y, info.bmWidth, info.bmHeight, source, 0, 0, SRCINVERT);
  }
  ::SelectObject(source, before);
  ::DeleteDC(source);
}

HBITMAP MakeTileBlock(HDC dc, const TDIB& picture, int minimumSide, SIZE& block) {
  if (!Drawable(picture)) return nullptr;
  const int w = picture.Width(), h = picture.Height();
  block.cx = w * std::max(1, (minimumSide + w - 1) / w);
  block.cy = h * std::max(1, (minimumSide + h - 1) / h);
  HBITMAP bitmap = ::CreateCompatibleBitmap(dc, block.cx, block.cy);
  if (!bitmap) return nullptr;
  HDC target = ::CreateCompatibleDC(dc);
  HGDIOBJ before = ::SelectObject(target, bitmap);
  DrawDib(target, TRect{0, 0, w, h}, picture, nullptr);
  // Doubling what is there: a handful of copies however small the picture.
  for (LONG filled = w; filled < block.cx; filled *= 2)
    ::BitBlt(target, filled, 0, std::min<LONG>(filled, block.cx - filled), h, target, 0, 0,
             SRCCOPY);
  for (LONG filled = h; filled < block.cy; filled *= 2)
    ::BitBlt(target, 0, filled, block.cx, std::min<LONG>(filled, block.cy - filled), target, 0, 0,
             SRCCOPY);
  ::SelectObject(target, before);
  ::DeleteDC(target);
  return bitmap;
}
