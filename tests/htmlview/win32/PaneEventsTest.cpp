// What the viewer's event handlers receive, and that nothing of a page is used after a
// handler has shown another one.
#include <windows.h>
#undef TextOut  // the canvas's, not the system's

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "GifBuilder.h"
#include "GuardedHeap.h"
#include "PaneTestWindow.h"
#include "document/ImageObj.h"
#include "document/SectionList.h"
#include "forms/FormControlObj.h"

namespace htmlview {

namespace {
TEST(PaneEvents, AnObjectClickGetsItsControlAndMayShowAnotherPage) {
  TPaneTestWindow window(300, 200);
  THtmlPane& pane = window.Pane();
  std::vector<std::string> clicks;
  pane.OnObjectClick = [&](THtmlPane& sender, TFormControlObj& control, const std::string& code) {
    clicks.push_back(control.Name() + " " + code);
    sender.OpenDocumentText("<p>another page</p>");  // frees the control clicked
  };
  {
    TGuardedHeap guard;  // a use of the freed control stops the test program
    pane.OpenDocumentText("<form><input type=button name=go value=Go onclick=\"run()\"></form>");
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
  pane.OnKeyDown = [&](THtmlPane&, WORD&, TShiftState shift) { downs.push_back(shift); };
  pane.OnKeyUp = [&](THtmlPane&, WORD&, TShiftState shift) { ups.push_back(shift); };
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

// An image click whose handler shows another page ends that click: the right-click event
// does not get the old page's image, and a left click does not follow the link that the
// new page has at that point.
TEST(PaneEvents, AnImageClickThatShowsAnotherPageEndsTheClick) {
  TGifBuilder gif(3, 3, {0x0000FF, 0x00FF00});
  const TBytes8 bytes = gif.Frame(0, 0, 3, 3, TBytes8(9, 1)).Bytes();
  WriteTestFile("clicked.gif", std::string(bytes.begin(), bytes.end()));
  const std::string page =
      WriteTestFile("clicked.htm", "<img src=\"clicked.gif\" width=30 height=30>");
  TPaneTestWindow window(300, 200);
  THtmlPane& pane = window.Pane();
  std::vector<std::string> events;
  pane.OnImageClick = [&](THtmlPane& sender, TImageObj&, TMouseButton, TShiftState, int, int) {
    events.push_back("image");
    sender.OpenDocumentText("<a href=\"next.htm\">a link where the picture was</a>");
  };
  pane.OnRightClick = [&](THtmlPane&, const TRightClickParameters&) { events.push_back("right"); };
  pane.OnHotSpotClick = [&](THtmlPane&, const std::string& src, bool& handled) {
    events.push_back("link " + src);
    handled = true;
  };
  const struct {
    UINT down, up;
    WPARAM held;
  } buttons[] = {{WM_RBUTTONDOWN, WM_RBUTTONUP, MK_RBUTTON},
                 {WM_LBUTTONDOWN, WM_LBUTTONUP, MK_LBUTTON}};
  for (const auto& button : buttons) {
    pane.OpenDocumentFile(page);
    ::UpdateWindow(pane.PaintPanelHandle());  // drawn, so that the image knows where it stands
    const TImageObj& image = *pane.Document().ImageList.at(0);
    const LPARAM at = MAKELPARAM(image.DrawnX() + 7, image.DrawnY() - pane.VerticalPosition() + 9);
    events.clear();
    ::SendMessageA(pane.PaintPanelHandle(), button.down, button.held, at);
    ::SendMessageA(pane.PaintPanelHandle(), button.up, 0, at);
    EXPECT_EQ(events, (std::vector<std::string>{"image"})) << button.down;
    EXPECT_NE(::GetCapture(), pane.PaintPanelHandle());
  }
}
}  // namespace

}  // namespace htmlview
