#pragma once

#include <windows.h>

namespace htmlview {

// A scroll-bar control driven through the 32-bit scroll information, so that documents
// taller than 32,767 pixels scroll correctly. Updates that change nothing are skipped.
class T32ScrollBar {
 public:
  T32ScrollBar(HWND parent, bool vertical, int smallChange);
  ~T32ScrollBar();
  T32ScrollBar(const T32ScrollBar&) = delete;
  T32ScrollBar& operator=(const T32ScrollBar&) = delete;

  HWND Handle() const { return handle_; }
  bool Vertical() const { return vertical_; }
  // The thickness of the bar, used in all size arithmetic.
  int Thickness() const;

  int SmallChange() const { return smallChange_; }
  int LargeChange() const { return largeChange_; }
  void SetLargeChange(int change) { largeChange_ = change; }

  // Range min..max with a page; `disableNoScroll` keeps a bar that is not needed visible
  // but disabled.
  void SetParams(int position, int page, int minimum, int maximum, bool disableNoScroll);
  void SetPosition(int position);
  int Position() const { return position_; }
  int Maximum() const { return max_; }
  int Page() const { return page_; }
  // The position the thumb is dragged to, during a track.
  int TrackPosition() const;

  void SetBounds(int left, int top, int width, int height);
  void SetVisible(bool visible);
  bool Visible() const;
  void SetEnabled(bool enabled);

 private:
  HWND handle_ = nullptr;
  bool vertical_;
  int smallChange_;
  int largeChange_ = 1;
  int position_ = 0, page_ = 0, min_ = 0, max_ = 0;
  bool disableNoScroll_ = false;
  bool set_ = false;
};

}  // namespace htmlview
