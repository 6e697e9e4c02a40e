#include "Window.h"

#include "GeneralErrorReport.h"
#include "ReportTexts.h"

namespace pavina::ui {

TWindow* TWindow::FromHandle(HWND window) {
  return dynamic_cast<TWindow*>(TWindowBase::FromHandle(window));
}

bool TWindow::PreTranslateMessage(MSG&) {
  return false;
}

void TWindow::RegisterWindowClass(const char* className, int backgroundColor, HICON icon) {
  TWindowBase::RegisterWindowClass(className, 0, ::GetSysColorBrush(backgroundColor), icon);
}

void TWindow::HandlerFailed(const std::exception& error) {
  ShowGeneralErrorReport(ErrorText(error));
}

SIZE OuterSizeForClient(int clientWidth, int clientHeight, DWORD style, DWORD exStyle) {
  RECT r{0, 0, clientWidth, clientHeight};
  ::AdjustWindowRectEx(&r, style, FALSE, exStyle);
  return SIZE{r.right - r.left, r.bottom - r.top};
}

POINT CentredOnScreen(SIZE outer) {
  const int screenWidth = ::GetSystemMetrics(SM_CXSCREEN);
  const int screenHeight = ::GetSystemMetrics(SM_CYSCREEN);
  return POINT{(screenWidth - outer.cx) / 2, (screenHeight - outer.cy) / 2};
}

}  // namespace pavina::ui
