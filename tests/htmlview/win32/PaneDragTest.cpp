// The window's side of dragging a selection and middle-button scrolling: the capture
// taken away in the middle of a drag, and keys pressed during an auto-scroll going through
// the host's own message loop and hook. The steps are driven by sending the messages that
// the viewer's timer would bring.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "PaneTestWindow.h"
#include "win32/PaneMessages.h"

namespace htmlview {

namespace {
// Puts the mouse at a point of the paint panel, where the auto-scroll looks for it.
void PutMouse(THtmlPane& pane, int x, int y) {
  POINT mouse{x, y};
  ::ClientToScreen(pane.PaintPanelHandle(), &mouse);
  ::SetCursorPos(mouse.x, mouse.y);
}

void AutoScrollStep(THtmlPane& pane) {
  ::SendMessageA(pane.Handle(), WM_TIMER, ViewTimerId(TViewTimer::AutoScroll), 0);
}

TEST(PaneDrag, LosingTheCaptureEndsTheDrag) {
  TPaneTestWindow window(300, 200);
  THtmlPane& pane = window.Pane();
  pane.View().OpenDocumentText(LongPage());
  HWND panel = pane.PaintPanelHandle();
  ::SendMessageA(panel, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(14, 30));
  ASSERT_EQ(::GetCapture(), panel);
  ::ReleaseCapture();  // another window took the mouse; the button is still held
  ::SendMessageA(panel, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(200, 90));
  EXPECT_EQ(pane.View().SelectedText(), "");
}

// The host's message loop: each message goes to the hook first, which may keep it.
void RunHostLoop(const std::function<bool(const MSG&)>& hook) {
  MSG message{};
  while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (hook(message)) continue;
    ::TranslateMessage(&message);
    ::DispatchMessageA(&message);
  }
}

// The program's hook moves the logo with the arrow keys in every window: during a drag or
// middle-button scrolling in the help window the keys must reach it, not the viewer.
TEST(PaneDrag, KeysDuringAnAutoScrollGoThroughTheHostsHook) {
  TPaneTestWindow window(300, 200);
  THtmlPane& pane = window.Pane();
  pane.View().OpenDocumentText(LongPage());
  std::vector<WPARAM> viewerKeys, hookKeys;
  pane.View().OnKeyDown = [&](THtmlView&, WORD& key, TShiftState) { viewerKeys.push_back(key); };
  const auto hook = [&](const MSG& message) {
    if (message.message != WM_KEYDOWN) return false;
    hookKeys.push_back(message.wParam);
    return true;
  };
  HWND panel = pane.PaintPanelHandle();
  for (const bool middle : {false, true}) {
    SCOPED_TRACE(middle ? "middle button" : "selection drag");
    RunHostLoop([](const MSG&) { return false; });
    pane.View().SetVerticalPosition(0);
    viewerKeys.clear();
    hookKeys.clear();
    const int y = middle ? 150 : pane.View().Arrangement().PaintPanel.Height + 40;
    PutMouse(pane, 50, y);
    if (middle) {
      ::SendMessageA(panel, WM_MBUTTONDOWN, MK_MBUTTON, MAKELPARAM(50, 50));
      ::SendMessageA(panel, WM_MBUTTONUP, 0, MAKELPARAM(50, 50));
    } else {
      ::SendMessageA(panel, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(50, 30));
    }
    // The move starts the auto-scroll; then an arrow key comes, and the left button is let
    // go.
    ::SendMessageA(panel, WM_MOUSEMOVE, middle ? 0 : MK_LBUTTON, MAKELPARAM(50, y));
    ::PostMessageA(pane.Handle(), WM_KEYDOWN, VK_DOWN, 0);
    if (!middle) ::PostMessageA(panel, WM_LBUTTONUP, 0, MAKELPARAM(50, y));
    RunHostLoop(hook);
    EXPECT_EQ(hookKeys, (std::vector<WPARAM>{VK_DOWN}));
    EXPECT_TRUE(viewerKeys.empty());
    const int moved = pane.View().VerticalPosition();
    EXPECT_GT(moved, 0);
    if (middle) {  // the mode goes on
      AutoScrollStep(pane);
      EXPECT_GT(pane.View().VerticalPosition(), moved);
      ::SendMessageA(pane.Handle(), WM_KEYDOWN, VK_ESCAPE, 0);
    }
    AutoScrollStep(pane);  // the timer's next step ends it
  }
}
}  // namespace

}  // namespace htmlview
