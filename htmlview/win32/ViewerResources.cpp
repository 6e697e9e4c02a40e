#include "win32/ViewerResources.h"

#include <algorithm>
#include <vector>

#include "images/ColorPalette.h"
#include "images/ColorReduction.h"
#include "win32/ViewerResourceIds.h"

namespace htmlview {

namespace {
// The screen's own palette entries on a palette device, else the standard ones.
TPalette ScreenSystemPalette(HDC screen) {
  TPalette palette = StandardSystemPalette();
  PALETTEENTRY entries[256] = {};
  if (::GetSystemPaletteEntries(screen, 0, 256, entries) == 256) {
    for (int i = 0; i < 256; ++i)
      palette[static_cast<std::size_t>(i)] =
          MakeColor(entries[i].peRed, entries[i].peGreen, entries[i].peBlue);
  }
  return palette;
}

HPALETTE MakePalette(const TPalette& colors) {
  std::vector<std::uint8_t> storage(sizeof(LOGPALETTE) + sizeof(PALETTEENTRY) * colors.size());
  auto* logical = reinterpret_cast<LOGPALETTE*>(storage.data());
  logical->palVersion = 0x300;
  logical->palNumEntries = static_cast<WORD>(colors.size());
  for (std::size_t i = 0; i < colors.size(); ++i) {
    logical->palPalEntry[i].peRed = RedOf(colors[i]);
    logical->palPalEntry[i].peGreen = GreenOf(colors[i]);
    logical->palPalEntry[i].peBlue = BlueOf(colors[i]);
    logical->palPalEntry[i].peFlags = 0;
  }
  return ::CreatePalette(logical);
}
}  // namespace

TViewerResources& TViewerResources::Get() {
  static TViewerResources resources;
  return resources;
}

TViewerResources::TViewerResources() {
  HINSTANCE module = ::GetModuleHandleA(nullptr);
  cursors_ = {::LoadCursorA(module, MAKEINTRESOURCEA(kViewerHandCursor)),
              ::LoadCursorA(module, MAKEINTRESOURCEA(kViewerTextCursor)),
              ::LoadCursorA(module, "UPDOWNCURSOR"), ::LoadCursorA(module, "UPONLYCURSOR"),
              ::LoadCursorA(module, "DOWNONLYCURSOR")};
  cannotLoad_ = ::LoadBitmapA(module, MAKEINTRESOURCEA(kViewerCannotLoadBitmap));
  cannotLoadMask_ = ::LoadBitmapA(module, MAKEINTRESOURCEA(kViewerCannotLoadMask));
  notShown_ = ::LoadBitmapA(module, MAKEINTRESOURCEA(kViewerNotShownBitmap));

  HDC screen = ::GetDC(nullptr);
  screenDepth_ =
      ClassifyScreenDepth(::GetDeviceCaps(screen, BITSPIXEL), ::GetDeviceCaps(screen, PLANES));
  if (screenDepth_ == 8) {
    const TPalette shared = BuildSharedPalette(ScreenSystemPalette(screen));
    sharedPaletteSize_ = std::min(shared.size(), sharedPalette_.size());
    std::copy_n(shared.begin(), sharedPaletteSize_, sharedPalette_.begin());
    palette_ = MakePalette(shared);
  }
  ::ReleaseDC(nullptr, screen);
}

TViewerResources::~TViewerResources() {
  for (HBITMAP bitmap : {cannotLoad_, cannotLoadMask_, notShown_})
    if (bitmap) ::DeleteObject(bitmap);
  if (palette_) ::DeleteObject(palette_);
}

HCURSOR TViewerResources::Cursor(int number) const {
  if (number >= 1 && number <= 5 && cursors_[static_cast<std::size_t>(number - 1)])
    return cursors_[static_cast<std::size_t>(number - 1)];
  return ::LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_ARROW));
}

}  // namespace htmlview
