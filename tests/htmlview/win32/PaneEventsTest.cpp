// What the window passes on to the view's events: the control a click came from (which a
// handler may free by showing another page), and the shift state held with a key.
#include <windows.h>
#undef TextOut  // the canvas's, not the system's

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "GuardedHeap.h"
#include "PaneTestWindow.h"
#include "forms/FormControlObj.h"

namespace htmlview {

namespace {
TEST(PaneEvents, AnObjectClickGetsItsControlAndMayShowAnotherPage) {
  TPaneTestWindow window(300, 200);
  THtmlPane& pane = window.Pane();
  std::vector<std::string> clicks;
  pane.View().OnObjectClick = [&](THtmlView& sender, TFormControlObj& control,
                                  const std::string& code) {
    clicks.push_back(control.Name() + " " + code);
    sender.OpenDocumentText("<p>another page</p>");  // frees the control clicked
  };
  {
    TGuardedHeap guard;  // a use of the freed control stops the test program
    pane.View().OpenDocumentText(
        "<form><input type=button name=go value=Go onclick=\"run()\"></form>");
    HWND button = ::FindWindowExA(pane.PaintPanelHandle(), nullptr, "Button", nullptr);
    ASSERT_NE(button, nullptr);
    ::SendMessageA(pane.PaintPanelHandle(), WM_COMMAND, MAKEWPARAM(0, BN_CLICKED),
                   reinterpret_cast<LPARAM>(button));
  }
  EXPECT_EQ(clicks, (std::vector<std::string>{"go run()"}));
  EXPECT_EQ(::FindWindowExA(pane.PaintPanelHandle(), nullptr, "Button", nullptr), nullptr);
}

TEST(PaneEvents, KeysTellTheShiftStateHeld) {
  TPaneTestWindow window(300, 200);
  THtmlPane& pane = window.Pane();
  std::vector<TShiftState> downs, ups;
  pane.View().OnKeyDown = [&](THtmlView&, WORD&, TShiftState shift) { downs.push_back(shift); };
  pane.View().OnKeyUp = [&](THtmlView&, WORD&, TShiftState shift) { ups.push_back(shift); };
  BYTE before[256] = {};
  ::GetKeyboardState(before);
  const std::vector<TShiftState> held{0, MK_SHIFT, MK_CONTROL, MK_SHIFT | MK_CONTROL};
  for (const TShiftState shift : held) {
    BYTE keys[256] = {};
    keys[VK_SHIFT] = (shift & MK_SHIFT) ? 0x80 : 0;
    keys[VK_CONTROL] = (shift & MK_CONTROL) ? 0x80 : 0;
    ::SetKeyboardState(keys);
    ::SendMessageA(pane.Handle(), WM_KEYDOWN, VK_F5, 0);
    ::SendMessageA(pane.Handle(), WM_KEYUP, VK_F5, 0);
  }
  ::SetKeyboardState(before);
  EXPECT_EQ(downs, held);
  EXPECT_EQ(ups, held);
}
}  // namespace

}  // namespace htmlview
