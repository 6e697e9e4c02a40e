// Dragging a selection and middle-button scrolling: the steps of the auto-scroll, the
// capture taken away in the middle of a drag, and keys pressed during an auto-scroll going
// through the host's own message loop and hook. The steps are driven by sending the
// messages that the viewer's timer would bring.
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
  ::SendMessageA(pane.Handle(), WM_TIMER, kAutoScrollTimerId, 0);
}

// Starts the auto-scroll as the viewer's own posted message does, and takes that message
// out of the queue.
void StartAutoScroll(THtmlPane& pane) {
  MSG posted{};
  ::PeekMessageA(&posted, pane.Handle(), kAutoScrollMessage, kAutoScrollMessage, PM_REMOVE);
  ::SendMessageA(pane.Handle(), kAutoScrollMessage, 0, 0);
}

// A drag from the top of the page to `below` pixels under the panel: the view's position
// after the first step.
int FirstDragStep(THtmlPane& pane, int below) {
  pane.SetVerticalPosition(0);
  HWND panel = pane.PaintPanelHandle();
  const int y = pane.Arrangement().PaintPanel.Height + below;
  PutMouse(pane, 14, y);
  ::SendMessageA(panel, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(14, 30));
  ::SendMessageA(panel, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(14, y));
  StartAutoScroll(pane);
  const int position = pane.VerticalPosition();
  ::SendMessageA(panel, WM_LBUTTONUP, 0, MAKELPARAM(14, y));
  AutoScrollStep(pane);  // finds the button released and stops
  return position;
}

TEST(PaneDrag, DraggingBelowScrollsFasterFurtherOut) {
  TPaneTestWindow window(300, 200);
  THtmlPane& pane = window.Pane();
  pane.OpenDocumentText(LongPage());
  EXPECT_EQ(FirstDragStep(pane, 40), 8 * 16);
  EXPECT_EQ(FirstDragStep(pane, 5), 16);
  EXPECT_FALSE(pane.SelectedText().empty());  // the drag selected as it went
  const int stopped = pane.VerticalPosition();
  AutoScrollStep(pane);
  EXPECT_EQ(pane.VerticalPosition(), stopped);
}

// Middle button pressed and released at y 50, then the mouse `away` pixels below: the
// view's position after the first step. A key ends the mode.
int FirstMiddleButtonStep(THtmlPane& pane, int away) {
  pane.SetVerticalPosition(0);
  HWND panel = pane.PaintPanelHandle();
  ::SendMessageA(panel, WM_MBUTTONDOWN, MK_MBUTTON, MAKELPARAM(50, 50));
  ::SendMessageA(panel, WM_MBUTTONUP, 0, MAKELPARAM(50, 50));  // the mode stays
  PutMouse(pane, 50, 50 + away);
  ::SendMessageA(panel, WM_MOUSEMOVE, 0, MAKELPARAM(50, 50 + away));
  StartAutoScroll(pane);
  const int position = pane.VerticalPosition();
  ::SendMessageA(pane.Handle(), WM_KEYDOWN, VK_SHIFT, 0);
  AutoScrollStep(pane);
  return position;
}

TEST(PaneDrag, MiddleButtonScrollsFasterFurtherAway) {
  TPaneTestWindow window(300, 200);
  THtmlPane& pane = window.Pane();
  pane.OpenDocumentText(LongPage());
  EXPECT_EQ(FirstMiddleButtonStep(pane, 100), 32);
  EXPECT_EQ(FirstMiddleButtonStep(pane, 40), 8);
  // The key ended the mode: the mouse far away scrolls no more.
  StartAutoScroll(pane);
  EXPECT_EQ(pane.VerticalPosition(), 8);
}

TEST(PaneDrag, LosingTheCaptureEndsTheDrag) {
  TPaneTestWindow window(300, 200);
  THtmlPane& pane = window.Pane();
  pane.OpenDocumentText(LongPage());
  HWND panel = pane.PaintPanelHandle();
  ::SendMessageA(panel, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(14, 30));
  ASSERT_EQ(::GetCapture(), panel);
  ::ReleaseCapture();  // another window took the mouse; the button is still held
  ::SendMessageA(panel, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(200, 90));
  EXPECT_EQ(pane.SelectedText(), "");
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
  pane.OpenDocumentText(LongPage());
  std::vector<WPARAM> viewerKeys, hookKeys;
  pane.OnKeyDown = [&](THtmlPane&, WORD& key, TShiftState) { viewerKeys.push_back(key); };
  const auto hook = [&](const MSG& message) {
    if (message.message != WM_KEYDOWN) return false;
    hookKeys.push_back(message.wParam);
    return true;
  };
  HWND panel = pane.PaintPanelHandle();
  for (const bool middle : {false, true}) {
    SCOPED_TRACE(middle ? "middle button" : "selection drag");
    RunHostLoop([](const MSG&) { return false; });
    pane.SetVerticalPosition(0);
    viewerKeys.clear();
    hookKeys.clear();
    const int y = middle ? 150 : pane.Arrangement().PaintPanel.Height + 40;
    PutMouse(pane, 50, y);
    if (middle) {
      ::SendMessageA(panel, WM_MBUTTONDOWN, MK_MBUTTON, MAKELPARAM(50, 50));
      ::SendMessageA(panel, WM_MBUTTONUP, 0, MAKELPARAM(50, 50));
    } else {
      ::SendMessageA(panel, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(50, 30));
    }
    // The move posts the start of the auto-scroll; then an arrow key comes, and the left
    // button is let go.
    ::SendMessageA(panel, WM_MOUSEMOVE, middle ? 0 : MK_LBUTTON, MAKELPARAM(50, y));
    ::PostMessageA(pane.Handle(), WM_KEYDOWN, VK_DOWN, 0);
    if (!middle) ::PostMessageA(panel, WM_LBUTTONUP, 0, MAKELPARAM(50, y));
    RunHostLoop(hook);
    EXPECT_EQ(hookKeys, (std::vector<WPARAM>{VK_DOWN}));
    EXPECT_TRUE(viewerKeys.empty());
    const int moved = pane.VerticalPosition();
    EXPECT_GT(moved, 0);
    if (middle) {  // the mode goes on
      AutoScrollStep(pane);
      EXPECT_GT(pane.VerticalPosition(), moved);
      ::SendMessageA(pane.Handle(), WM_KEYDOWN, VK_ESCAPE, 0);
    }
    AutoScrollStep(pane);  // the timer's next step ends it
  }
}
}  // namespace

}  // namespace htmlview
