#include "win32/DibBlit.h"

#include <algorithm>
#include <vector>

#include "images/DibAccess.h"

namespace htmlview {

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
          picture.BitsPerPixel() == 24 || picture.BitsPerPixel() == 32);
}

std::uint8_t Mix(std::uint32_t over, std::uint32_t under, std::uint32_t alpha) {
  return static_cast<std::uint8_t>((over * alpha + under * (255 - alpha) + 127) / 255);
}

// A 32-bit picture with straight alpha, blended pixel by pixel over what the device
// shows. Only the part inside the clip box is read back and written, so a picture
// stretched far beyond the paint area costs no more than that area.
void Blend(HDC dc, const TRect& dest, const TDIB& picture, const TDIB* mask) {
  RECT box{};
  if (::GetClipBox(dc, &box) == ERROR) return;
  const LONG left = std::max<LONG>(box.left, dest.Left), top = std::max<LONG>(box.top, dest.Top);
  const LONG right = std::min<LONG>(box.right, dest.Right);
  const LONG bottom = std::min<LONG>(box.bottom, dest.Bottom);
  if (left >= right || top >= bottom) return;
  const int w = right - left, h = bottom - top;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
  info.bmiHeader.biWidth = w;
  info.bmiHeader.biHeight = -h;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HBITMAP section = ::CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (!section) return;
  HDC memory = ::CreateCompatibleDC(dc);
  HGDIOBJ before = ::SelectObject(memory, section);
  ::BitBlt(memory, 0, 0, w, h, dc, left, top, SRCCOPY);
  ::GdiFlush();
  const std::int64_t destW = dest.Width(), destH = dest.Height();
  auto* under = static_cast<std::uint8_t*>(bits);
  for (int y = 0; y < h; ++y) {
    const auto sy =
        static_cast<std::int32_t>(std::int64_t{top + y - dest.Top} * picture.Height() / destH);
    const std::uint8_t* row = picture.Row(sy);
    for (int x = 0; x < w; ++x, under += 4) {
      const auto sx =
          static_cast<std::int32_t>(std::int64_t{left + x - dest.Left} * picture.Width() / destW);
      const std::uint8_t* over = row + 4 * static_cast<std::size_t>(sx);
      const std::uint32_t alpha = mask && IsMaskWhite(*mask, sx, sy) ? 0 : over[3];
      for (int c = 0; c < 3; ++c) under[c] = Mix(over[c], under[c], alpha);
    }
  }
  ::BitBlt(dc, left, top, w, h, memory, 0, 0, SRCCOPY);
  ::SelectObject(memory, before);
  ::DeleteDC(memory);
  ::DeleteObject(section);
}
}  // namespace

void DrawDib(HDC dc, const TRect& dest, const TDIB& picture, const TDIB* mask) {
  if (!Drawable(picture) || dest.Width() <= 0 || dest.Height() <= 0) return;
  ::SetStretchBltMode(dc, COLORONCOLOR);
  const bool masked = mask && Drawable(*mask) && mask->BitsPerPixel() == 1 &&
                      mask->Width() == picture.Width() && mask->Height() == picture.Height();
  if (picture.HasAlpha()) {
    Blend(dc, dest, picture, masked ? mask : nullptr);
    return;
  }
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

HBITMAP MakeTileBlock(HDC dc, const TDIB& picture, int minimumSide, SIZE& block, TColor under) {
  if (!Drawable(picture)) return nullptr;
  const int w = picture.Width(), h = picture.Height();
  block.cx = w * std::max(1, (minimumSide + w - 1) / w);
  block.cy = h * std::max(1, (minimumSide + h - 1) / h);
  HBITMAP bitmap = ::CreateCompatibleBitmap(dc, block.cx, block.cy);
  if (!bitmap) return nullptr;
  HDC target = ::CreateCompatibleDC(dc);
  HGDIOBJ before = ::SelectObject(target, bitmap);
  if (picture.HasAlpha()) {
    const RECT first{0, 0, w, h};
    HBRUSH brush = ::CreateSolidBrush(RGB(RedOf(under), GreenOf(under), BlueOf(under)));
    ::FillRect(target, &first, brush);
    ::DeleteObject(brush);
  }
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

}  // namespace htmlview
