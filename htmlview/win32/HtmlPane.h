#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "view/HtmlView.h"
#include "win32/GdiCanvas.h"
#include "win32/ScrollBar32.h"
#include "win32/ViewerWindow.h"
#include "win32/Win32ControlHost.h"
#include "win32/Win32Files.h"

namespace htmlview {

class TPaneDropTarget;

// A paint that could not get its off-screen bitmap.
class EOutOfResources : public std::runtime_error {
 public:
  EOutOfResources() : std::runtime_error("Out of Resources") {}
};

// The windowed control that shows an HTML view: it turns window messages into the view's
// input, paints it through GDI, and runs the scroll bars, timers, mouse capture and file
// drops the view asks for. Everything the user sees it do is the view's (View()).
class THtmlPane final : public TViewerWindow, private TViewHost {
 public:
  THtmlPane(HWND parent, int left, int top);
  ~THtmlPane() override;

  THtmlView& View() { return *view_; }
  const THtmlView& View() const { return *view_; }

  void SetBounds(int left, int top, int width, int height);
  int Width() const { return width_; }
  int Height() const { return height_; }
  HWND PaintPanelHandle() const;
  const T32ScrollBar& VerticalScrollBar() const { return *vBar_; }
  const T32ScrollBar& HorizontalScrollBar() const { return *hBar_; }

  // Files dragged from the shell over the view, at a point of the paint panel. The view
  // takes drops only with OnDragOver assigned (accept comes in true) and OLE initialised
  // on its thread; OnDragDrop then gets the files dropped where they were accepted.
  std::function<void(THtmlPane&, int x, int y, const std::vector<std::string>& files, bool& accept)>
      OnDragOver;
  std::function<void(THtmlPane&, int x, int y, const std::vector<std::string>& files)> OnDragDrop;

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  class TBorderPanel;
  class TPaintPanel;

  // The view's host.
  void Invalidate() override;
  void InvalidateRect(const TPixelRect& rect) override;
  void ScrollContent(int dy) override;
  void ArrangementChanged() override;
  void PositionsChanged() override;
  void CursorChanged(int cursor) override;
  void CaptureMouse(bool capture) override;
  void StartTimer(TViewTimer timer) override;
  void StopTimer(TViewTimer timer) override;
  void Post(TViewTask task) override;
  void Busy(bool busy) override;
  void CopyText(const std::string& text) override;
  void ShowError(const std::string& text) override;
  TColor SystemColor(int index) override;
  std::uint32_t NowMilliseconds() override;

  LRESULT PanelMessage(UINT message, WPARAM wParam, LPARAM lParam);
  void PaintPanel(HDC dc, const RECT& clip);
  void PaintBackground(HDC dc, const RECT& clip);
  void DrawBorder();
  bool HasFocusInside() const;
  POINT PointerInPanel() const;

  int width_ = 150, height_ = 150;
  std::unique_ptr<TBorderPanel> borderPanel_;
  std::unique_ptr<TPaintPanel> paintPanel_;
  std::unique_ptr<TPaneDropTarget> dropTarget_;
  std::unique_ptr<T32ScrollBar> vBar_;
  std::unique_ptr<T32ScrollBar> hBar_;
  TGdiCanvas canvas_;
  std::unique_ptr<TWin32ControlHost> controlHost_;
  TWin32Files files_;
  std::unique_ptr<THtmlView> view_;
  int busy_ = 0;
  HCURSOR cursorBeforeBusy_ = nullptr;
};

}  // namespace htmlview
