#include "PictureView.h"

namespace pavina::ui {

namespace {
constexpr const char* kClassName = "TImage";

std::size_t DibStride(std::int32_t width) {
  return (static_cast<std::size_t>(width) * 3 + 3) & ~std::size_t{3};
}
}  // namespace

TPictureView::TPictureView(HWND parent, int left, int top, int width, int height, int id) {
  RegisterWindowClass(kClassName, COLOR_BTNFACE, nullptr);
  CreateHandle(0, kClassName, "", WS_CHILD | WS_VISIBLE, left, top, width, height, parent);
  ::SetWindowLongPtrA(Handle(), GWLP_ID, id);
}

void TPictureView::SetPicture(const pictures::TRaster& raster) {
  width_ = raster.Width();
  height_ = raster.Height();
  const std::size_t stride = DibStride(width_);
  rows_.assign(stride * static_cast<std::size_t>(height_), 0);
  for (std::int32_t y = 0; y < height_; ++y) {
    const std::uint8_t* source = raster.Row(y);
    std::uint8_t* target = &rows_[stride * static_cast<std::size_t>(height_ - 1 - y)];
    for (std::int32_t x = 0; x < width_; ++x) {
      target[3 * x] = source[3 * x + 2];
      target[3 * x + 1] = source[3 * x + 1];
      target[3 * x + 2] = source[3 * x];
    }
  }
  if (width_ > 0 && height_ > 0)
    ::SetWindowPos(Handle(), nullptr, 0, 0, width_, height_,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  ::InvalidateRect(Handle(), nullptr, TRUE);
}

LRESULT TPictureView::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_PAINT) {
    Paint();
    return 0;
  }
  return DefaultHandling(message, wParam, lParam);
}

void TPictureView::Paint() {
  PAINTSTRUCT ps;
  HDC dc = ::BeginPaint(Handle(), &ps);
  if (width_ > 0 && height_ > 0) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width_;
    info.bmiHeader.biHeight = height_;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    info.bmiHeader.biCompression = BI_RGB;
    ::SetDIBitsToDevice(dc, 0, 0, static_cast<DWORD>(width_), static_cast<DWORD>(height_), 0, 0, 0,
                        static_cast<UINT>(height_), rows_.data(), &info, DIB_RGB_COLORS);
  }
  ::EndPaint(Handle(), &ps);
}

}  // namespace pavina::ui
