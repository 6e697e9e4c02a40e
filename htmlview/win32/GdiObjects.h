#pragma once

// GDI objects owned for the length of one paint or one call, freed however it ends.

#include <windows.h>

namespace htmlview {

// A pen or brush made for one call and deleted with this object.
class TGdiObject {
 public:
  TGdiObject(HDC dc, HGDIOBJ object) : dc_(dc), object_(object) {
    before_ = ::SelectObject(dc_, object_);
  }
  ~TGdiObject() {
    ::SelectObject(dc_, before_);
    ::DeleteObject(object_);
  }
  TGdiObject(const TGdiObject&) = delete;
  TGdiObject& operator=(const TGdiObject&) = delete;

 private:
  HDC dc_;
  HGDIOBJ object_;
  HGDIOBJ before_;
};

// A memory context with a bitmap selected, freed however the paint ends.
class TOffscreen {
 public:
  TOffscreen(HDC screen, int width, int height) {
    dc_ = ::CreateCompatibleDC(screen);
    bitmap_ = dc_ ? ::CreateCompatibleBitmap(screen, width, height) : nullptr;
    if (bitmap_) before_ = ::SelectObject(dc_, bitmap_);
  }
  ~TOffscreen() {
    if (bitmap_) {
      ::SelectObject(dc_, before_);
      ::DeleteObject(bitmap_);
    }
    if (dc_) ::DeleteDC(dc_);
  }
  TOffscreen(const TOffscreen&) = delete;
  TOffscreen& operator=(const TOffscreen&) = delete;

  bool Ready() const { return bitmap_ != nullptr; }
  HDC DC() const { return dc_; }

 private:
  HDC dc_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ before_ = nullptr;
};

// A bitmap made for one paint.
class TOwnedBitmap {
 public:
  explicit TOwnedBitmap(HBITMAP bitmap) : bitmap_(bitmap) {}
  ~TOwnedBitmap() {
    if (bitmap_) ::DeleteObject(bitmap_);
  }
  TOwnedBitmap(const TOwnedBitmap&) = delete;
  TOwnedBitmap& operator=(const TOwnedBitmap&) = delete;
  HBITMAP Get() const { return bitmap_; }

 private:
  HBITMAP bitmap_;
};

}  // namespace htmlview
