// THtmlPane under Wine with real pages: its scroll bar windows following the view, GIF
// animation on its timer while painted, and background pictures painted through GDI.
#include <windows.h>
#undef TextOut  // the canvas's, not the system's

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "GifBuilder.h"
#include "PngTestFile.h"
#include "PaneTestWindow.h"
#include "document/ImageObj.h"
#include "document/SectionList.h"

namespace htmlview {

namespace {
// The bar windows show what the view arranged: the vertical bar from a control height of
// the document's plus two, and its position within the document.
TEST(HtmlPane, TheScrollBarWindowsFollowTheView) {
  TPaneTestWindow window(300, 200);
  THtmlPane& pane = window.Pane();
  THtmlView& view = pane.View();
  view.OpenDocumentText("<p>One short line.</p>");
  const int height = view.DocumentHeight();
  ASSERT_GT(height, 10);
  for (const int extra : {2, 3}) {
    pane.SetBounds(0, 0, 300, height + extra);
    window.Pump(20);
    EXPECT_EQ(pane.VerticalScrollBar().Visible(), extra == 2);
    EXPECT_EQ(view.Arrangement().VerticalVisible, extra == 2);
  }
  view.OpenDocumentText(LongPage());
  view.SetVerticalPosition(1000000);
  EXPECT_EQ(pane.VerticalScrollBar().Position(),
            view.DocumentHeight() - view.Arrangement().PaintPanel.Height);
  ::SendMessageA(pane.Handle(), WM_VSCROLL, SB_TOP,
                 reinterpret_cast<LPARAM>(pane.VerticalScrollBar().Handle()));
  EXPECT_EQ(view.VerticalPosition(), 0);
  EXPECT_EQ(pane.VerticalScrollBar().Position(), 0);
}

TEST(HtmlPane, AGifAnimatesOnlyWhileItIsDrawn) {
  // Two frames of 10 ms, looping for ever.
  TGifBuilder gif(4, 4, {0x0000FF, 0x00FF00});
  gif.Loop(0).Control(1, 1).Frame(0, 0, 4, 4, TBytes8(16, 0));
  gif.Control(1, 1).Frame(0, 0, 4, 4, TBytes8(16, 1));
  const TBytes8 bytes = gif.Bytes();
  WriteTestFile("blink.gif", std::string(bytes.begin(), bytes.end()));
  std::string page = "<p><img src=\"blink.gif\" width=40 height=40></p>";
  for (int i = 0; i < 80; ++i) page += "<p>Line " + std::to_string(i) + "</p>";
  const std::string file = WriteTestFile("blink.htm", page);

  TPaneTestWindow window(300, 200);
  THtmlPane& pane = window.Pane();
  pane.View().OpenDocumentFile(file);
  ASSERT_EQ(pane.View().Document().ImageList.size(), 1u);
  const TGIFImage* animation = pane.View().Document().ImageList[0]->Gif();
  ASSERT_NE(animation, nullptr);
  // How often the frame changed while the window ran for a while.
  const auto frameChanges = [&] {
    int changes = 0, last = animation->CurrentFrame();
    for (int i = 0; i < 30; ++i) {
      window.Pump(15);
      if (animation->CurrentFrame() != last) ++changes;
      last = animation->CurrentFrame();
    }
    return changes;
  };
  EXPECT_GT(frameChanges(), 3) << "in view it runs";
  pane.View().SetVerticalPosition(pane.View().DocumentHeight());  // the picture out of view
  window.Pump(100);
  EXPECT_EQ(frameChanges(), 0) << "out of view it waits";
  pane.View().SetVerticalPosition(0);
  EXPECT_GT(frameChanges(), 3) << "back in view it runs again";
}

// The page painted in a 300 x 200 pane: `count` pixels of the row at y = 120 from `left`,
// well inside the page's background.
std::vector<COLORREF> PaintedRow(const std::string& page, int left, int count) {
  TPaneTestWindow window(300, 200);
  THtmlPane& pane = window.Pane();
  pane.View().OpenDocumentFile(page);
  ::RedrawWindow(pane.PaintPanelHandle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  HDC dc = ::GetDC(pane.PaintPanelHandle());
  std::vector<COLORREF> row;
  for (int x = left; x < left + count; ++x) row.push_back(::GetPixel(dc, x, 120));
  ::ReleaseDC(pane.PaintPanelHandle(), dc);
  return row;
}

TEST(HtmlPane, ABackgroundPictureIsTiledAndItsSeeThroughPixelsShowTheColour) {
  // Two pixels: red, and one the GIF declares transparent.
  TGifBuilder gif(2, 1, {0x0000FF, 0x000000});
  const TBytes8 bytes = gif.Control(0, 0, 1).Frame(0, 0, 2, 1, TBytes8{0, 1}).Bytes();
  WriteTestFile("tile.gif", std::string(bytes.begin(), bytes.end()));
  const std::string page =
      WriteTestFile("tiled.htm", "<body background=\"tile.gif\" bgcolor=\"#00FF00\"></body>");
  const COLORREF red = RGB(255, 0, 0), green = RGB(0, 255, 0);
  EXPECT_EQ(PaintedRow(page, 100, 6), (std::vector<COLORREF>{red, green, red, green, red, green}));
}

TEST(HtmlPane, ABackgroundPngIsBlendedOverTheColourByItsAlpha) {
  // Two pixels: red, and blue half see-through.
  const TBytes8 bytes = PngTestFile(2, 1, 6, {255, 0, 0, 255, 0, 0, 255, 128});
  WriteTestFile("tile.png", std::string(bytes.begin(), bytes.end()));
  const std::string page =
      WriteTestFile("png.htm", "<body background=\"tile.png\" bgcolor=\"#00FF00\"></body>");
  const COLORREF red = RGB(255, 0, 0), mixed = RGB(0, 127, 128);
  EXPECT_EQ(PaintedRow(page, 100, 4), (std::vector<COLORREF>{red, mixed, red, mixed}));
}

}  // namespace

}  // namespace htmlview
