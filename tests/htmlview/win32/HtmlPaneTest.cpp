// THtmlPane under Wine with real pages: loading and its failures, anchors in any case,
// property clamps, the scroll bar at its boundary, history, and GIF animation.
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
TEST(HtmlPane, PropertiesHoldTheirLimits) {
  TPaneTestWindow window(300, 200);
  THtmlPane& pane = window.Pane();
  EXPECT_EQ(pane.DefFontSize(), 12);
  EXPECT_EQ(pane.ImageCacheCount(), 5);
  EXPECT_EQ(pane.VisitedMaxCount(), 50);
  EXPECT_EQ(pane.MarginWidth(), 10);
  EXPECT_EQ(pane.MarginHeight(), 5);
  pane.SetDefFontSize(3);
  EXPECT_EQ(pane.DefFontSize(), 6);
  pane.SetImageCacheCount(50);
  EXPECT_EQ(pane.ImageCacheCount(), 20);
  pane.SetImageCacheCount(-2);
  EXPECT_EQ(pane.ImageCacheCount(), 0);
  // A margin that is taken re-lays the page out under Processing; one refused does not.
  std::vector<bool> processing;
  pane.OnProcessing = [&](THtmlPane&, bool on) { processing.push_back(on); };
  pane.SetMarginWidth(500);
  EXPECT_EQ(pane.MarginWidth(), 200);
  pane.SetMarginWidth(-1);
  EXPECT_EQ(pane.MarginWidth(), 200);
  pane.SetMarginHeight(-7);
  EXPECT_EQ(pane.MarginHeight(), 5);
  pane.SetMarginHeight(300);
  EXPECT_EQ(pane.MarginHeight(), 200);
  EXPECT_EQ(processing, (std::vector<bool>{true, false, true, false}));
  pane.SetVisitedMaxCount(-3);
  EXPECT_EQ(pane.VisitedMaxCount(), 0);
  pane.SetHistoryMaxCount(3);
  pane.SetHistoryMaxCount(-1);
  EXPECT_EQ(pane.HistoryMaxCount(), 3);
  pane.SetServerRoot("  C:\\web\\ ");
  EXPECT_EQ(pane.ServerRoot(), "C:\\web");
}

TEST(HtmlPane, AMissingFileRaisesAndLeavesTheDocumentShown) {
  TPaneTestWindow window(300, 200);
  THtmlPane& pane = window.Pane();
  const std::string file = WriteTestFile("shown.htm", "<title>Shown</title><p>Kept text.</p>");
  pane.OpenDocumentFile(file);
  ASSERT_EQ(pane.DocumentTitle(), "Shown");
  const std::size_t sections = pane.Document().Count();
  const std::string missing = file + ".none";
  try {
    pane.OpenDocumentFile(missing + "#anchor");
    FAIL() << "no error for a missing file";
  } catch (const EInOutError& error) {
    EXPECT_EQ(std::string(error.what()), "Can't locate file: " + missing);
  }
  EXPECT_EQ(pane.CurrentFile(), file);
  EXPECT_EQ(pane.DocumentTitle(), "Shown");
  EXPECT_EQ(pane.Document().Count(), sections);
  EXPECT_FALSE(pane.Processing());
  // A text load forgets the file; an empty one shows an empty page without the bars that
  // the page before it needed.
  pane.OpenDocumentText("<pre>" + std::string(400, 'x') + "</pre>" + LongPage());
  EXPECT_EQ(pane.CurrentFile(), "");
  ASSERT_TRUE(pane.Arrangement().VerticalVisible);
  ASSERT_TRUE(pane.Arrangement().HorizontalShown);
  pane.OpenDocumentText("");
  EXPECT_TRUE(pane.Document().Empty());
  EXPECT_FALSE(pane.Arrangement().VerticalVisible);
  EXPECT_FALSE(pane.Arrangement().HorizontalShown);
}

TEST(HtmlPane, AnchorsAreFoundInAnyCase) {
  TPaneTestWindow window(300, 200);
  THtmlPane& pane = window.Pane();
  const std::string file = WriteTestFile("long.htm", LongPage());
  pane.OpenDocumentFile(file + "#mixedCASE");
  const int anchored = pane.VerticalPosition();
  EXPECT_GT(anchored, 1000);
  EXPECT_EQ(pane.Visited().Items().front(), file + "#mixedCASE");

  pane.SetVerticalPosition(0);
  EXPECT_TRUE(pane.ScrollToAnchor("#MIXEDcase"));
  EXPECT_EQ(pane.VerticalPosition(), anchored);
  EXPECT_TRUE(pane.ScrollToAnchor("mixedcase"));  // the "#" may be left out
  EXPECT_EQ(pane.VerticalPosition(), anchored);
  EXPECT_FALSE(pane.ScrollToAnchor("#nowhere"));
  EXPECT_FALSE(pane.ScrollToAnchor(""));
  EXPECT_EQ(pane.VerticalPosition(), anchored);

  // An unknown anchor keeps the place on a reload of the same file and shows the top of
  // another one.
  pane.SetVerticalPosition(400);
  pane.OpenDocumentFile(file + "#nowhere");
  EXPECT_EQ(pane.VerticalPosition(), 400);
  const std::string other = WriteTestFile("other.htm", LongPage());
  pane.SetVerticalPosition(400);
  pane.OpenDocumentFile(other + "#nowhere");
  EXPECT_EQ(pane.VerticalPosition(), 0);
}

TEST(HtmlPane, VerticalBarFromTheControlHeightLessTwo) {
  TPaneTestWindow window(300, 200);
  THtmlPane& pane = window.Pane();
  pane.OpenDocumentText("<p>One short line.</p>");
  const int height = pane.DocumentHeight();
  ASSERT_GT(height, 10);
  pane.SetBounds(0, 0, 300, height + 2);
  window.Pump(20);
  EXPECT_TRUE(pane.Arrangement().VerticalNeeded);
  EXPECT_TRUE(pane.Arrangement().VerticalVisible);
  pane.SetBounds(0, 0, 300, height + 3);
  window.Pump(20);
  EXPECT_FALSE(pane.Arrangement().VerticalNeeded);
  EXPECT_FALSE(pane.Arrangement().VerticalVisible);
  // Scrolling stays within the document.
  pane.OpenDocumentText(LongPage());
  pane.SetVerticalPosition(1000000);
  EXPECT_EQ(pane.VerticalPosition(), pane.DocumentHeight() - pane.Arrangement().PaintPanel.Height);
  pane.SetVerticalPosition(-5);
  EXPECT_EQ(pane.VerticalPosition(), 0);
}

// A form control scrolled out of view by a jump (a repaint, not a moved picture) does not
// stay where the old view had it.
TEST(HtmlPane, FormControlsLeaveWithTheirLinesOnAJump) {
  TPaneTestWindow window(300, 200);
  THtmlPane& pane = window.Pane();
  pane.OpenDocumentText("<form><input name=\"field\" value=\"typed\"></form>" + LongPage());
  window.Pump(50);
  HWND panel = pane.PaintPanelHandle();
  HWND edit = ::FindWindowExA(panel, nullptr, "Edit", nullptr);
  ASSERT_NE(edit, nullptr);
  RECT client{};
  ::GetClientRect(panel, &client);
  const auto showsInPanel = [&] {
    RECT r{}, inside{};
    ::GetWindowRect(edit, &r);
    ::MapWindowPoints(nullptr, panel, reinterpret_cast<POINT*>(&r), 2);
    return ::IsWindowVisible(edit) && ::IntersectRect(&inside, &r, &client);
  };
  EXPECT_TRUE(showsInPanel());
  pane.SetVerticalPosition(1000);
  window.Pump(50);
  EXPECT_FALSE(showsInPanel());
  pane.SetVerticalPosition(0);
  window.Pump(50);
  EXPECT_TRUE(showsInPanel());
}

// A table of HEIGHT 100% in the body takes the view less its margins, so it fills the
// view without asking for a scroll bar.
TEST(HtmlPane, APercentTableHeightCountsFromTheViewLessItsMargins) {
  TPaneTestWindow window(300, 200);
  THtmlPane& pane = window.Pane();
  pane.OpenDocumentText("<table height=\"100%\"><tr><td>cell</td></tr></table>");
  EXPECT_GT(pane.DocumentHeight(), 180);
  EXPECT_LT(pane.DocumentHeight(), 200 - 2);
  EXPECT_FALSE(pane.Arrangement().VerticalNeeded);
}

TEST(HtmlPane, HistoryRecordsFilesWhenAllowed) {
  TPaneTestWindow window(300, 200);
  THtmlPane& pane = window.Pane();
  int changes = 0;
  pane.OnHistoryChange = [&](THtmlPane&) { ++changes; };
  const std::string first = WriteTestFile("first.htm", "<title>First</title><p>1</p>");
  const std::string second = WriteTestFile("second.htm", "<title>Second</title><p>2</p>");
  pane.OpenDocumentFile(first);
  pane.OpenDocumentFile(second);
  EXPECT_EQ(pane.History().Count(), 0u);  // HistoryMaxCount 0 keeps none
  pane.SetHistoryMaxCount(5);
  pane.OpenDocumentFile(first);
  pane.OpenDocumentFile(first);  // the same file again records nothing
  pane.OpenDocumentFile(second);
  EXPECT_EQ(pane.History().FileNames(), (std::vector<std::string>{second, first}));
  EXPECT_EQ(pane.History().Titles(), (std::vector<std::string>{"Second", "First"}));
  pane.OpenDocumentText("<p>text</p>");  // nor does a text
  EXPECT_EQ(pane.History().Count(), 2u);
  EXPECT_EQ(changes, 2);
  pane.SetHistoryMaxCount(1);
  EXPECT_EQ(pane.History().Count(), 0u);
  EXPECT_EQ(changes, 3);
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
  pane.OpenDocumentFile(file);
  ASSERT_EQ(pane.Document().ImageList.size(), 1u);
  const TGIFImage* animation = pane.Document().ImageList[0]->Gif();
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
  pane.SetVerticalPosition(pane.DocumentHeight());  // the picture out of view
  window.Pump(100);
  EXPECT_EQ(frameChanges(), 0) << "out of view it waits";
  pane.SetVerticalPosition(0);
  EXPECT_GT(frameChanges(), 3) << "back in view it runs again";
}
// A press and release of the left button at a point of the paint panel.
void Click(THtmlPane& pane, int x, int y) {
  const LPARAM at = MAKELPARAM(x, y);
  ::SendMessageA(pane.PaintPanelHandle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
  ::SendMessageA(pane.PaintPanelHandle(), WM_LBUTTONUP, 0, at);
}

TEST(HtmlPane, ClicksFollowLinksByTheirKind) {
  TErrorsCollected errors;
  TGifBuilder gif(2, 2, {0x0000FF, 0x00FF00});
  const TBytes8 bytes = gif.Frame(0, 0, 2, 2, TBytes8(4, 1)).Bytes();
  const std::string picture = WriteTestFile("pic.gif", std::string(bytes.begin(), bytes.end()));
  const std::string toPicture = WriteTestFile("to-picture.htm", "<a href=\"pic.GIF\">picture</a>");
  const std::string toNotes = WriteTestFile("to-notes.htm", "<a href=\"notes.txt\">notes</a>");
  const std::string toOther = WriteTestFile("to-other.htm", "<a href=\"to-notes.htm\">other</a>");
  const std::string words = WriteTestFile("words.htm", "alpha42,beta gamma");

  TPaneTestWindow window(300, 200);
  THtmlPane& pane = window.Pane();
  pane.OpenDocumentFile(toPicture);
  Click(pane, 14, 12);  // on the first letters of the first line
  EXPECT_EQ(pane.CurrentFileType(), THtmlFileType::Image);
  EXPECT_EQ(pane.CurrentFile().substr(pane.CurrentFile().size() - 7), "pic.GIF");

  pane.OpenDocumentFile(toNotes);
  Click(pane, 14, 12);  // an extension the viewer does not show: nothing happens
  EXPECT_EQ(pane.CurrentFile(), toNotes);
  EXPECT_EQ(pane.CurrentFileType(), THtmlFileType::HTML);

  std::string offered;
  pane.OnHotSpotClick = [&](THtmlPane&, const std::string& src, bool& handled) {
    offered = src;
    handled = true;
  };
  pane.OpenDocumentFile(toOther);
  Click(pane, 14, 12);
  EXPECT_EQ(offered, "to-notes.htm");
  EXPECT_EQ(pane.CurrentFile(), toOther);  // the handler took it
  pane.OnHotSpotClick = nullptr;
  Click(pane, 14, 12);
  EXPECT_EQ(pane.CurrentFile(), toNotes);  // now followed

  // A double click selects the word under the mouse: letters and digits, up to punctuation.
  pane.OpenDocumentFile(words);
  const LPARAM at = MAKELPARAM(14, 12);
  ::SendMessageA(pane.PaintPanelHandle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
  ::SendMessageA(pane.PaintPanelHandle(), WM_LBUTTONUP, 0, at);
  ::SendMessageA(pane.PaintPanelHandle(), WM_LBUTTONDBLCLK, MK_LBUTTON, at);
  ::SendMessageA(pane.PaintPanelHandle(), WM_LBUTTONUP, 0, at);
  EXPECT_EQ(pane.SelectedText(), "alpha42");
  EXPECT_TRUE(errors.Texts.empty()) << errors.Texts.front();
}

// A link to a name that the page does not define changes nothing: not the place, not the
// history, not the visited links.
TEST(HtmlPane, ALinkToAnUnknownNameChangesNothing) {
  std::string page;
  for (int i = 0; i < 80; ++i)
    page += "<a href=\"#nowhere\">Link " + std::to_string(i) + "</a><br>";
  const std::string first = WriteTestFile("unknown-first.htm", "<a name=\"here\">1</a>");
  const std::string links = WriteTestFile("unknown-links.htm", page);
  TPaneTestWindow window(300, 200);
  THtmlPane& pane = window.Pane();
  pane.SetHistoryMaxCount(5);
  pane.OpenDocumentFile(first + "#here");
  pane.OpenDocumentFile(links);
  pane.SetVerticalPosition(400);
  std::vector<std::string> clicked;
  pane.OnHotSpotClick = [&](THtmlPane&, const std::string& src, bool&) { clicked.push_back(src); };
  const THistory history = pane.History();
  const std::vector<std::string> visited = pane.Visited().Items();
  ASSERT_EQ(history.Count(), 2u);
  ASSERT_EQ(visited.size(), 1u);
  Click(pane, 14, 12);
  EXPECT_EQ(clicked, (std::vector<std::string>{"#nowhere"}));
  EXPECT_EQ(pane.VerticalPosition(), 400);
  EXPECT_EQ(pane.History().FileNames(), history.FileNames());
  EXPECT_EQ(pane.History().Index(), history.Index());
  EXPECT_EQ(pane.History().Positions()[0].Pos, history.Positions()[0].Pos);
  EXPECT_EQ(pane.Visited().Items(), visited);
}

// The areas of a client-side map are links of the picture that uses it: the pane must ask
// the same forms and maps that the parser filled.
TEST(HtmlPane, AnImageMapAreaIsALink) {
  TGifBuilder gif(40, 20, {0x0000FF, 0x00FF00});
  const TBytes8 bytes = gif.Frame(0, 0, 40, 20, TBytes8(800, 1)).Bytes();
  WriteTestFile("map.gif", std::string(bytes.begin(), bytes.end()));
  const std::string page =
      WriteTestFile("map.htm",
                    "<map name=\"m\"><area shape=rect coords=\"0,0,19,19\" href=\"left.htm\">"
                    "<area shape=rect coords=\"20,0,39,19\" nohref></map>"
                    "<img src=\"map.gif\" usemap=\"#M\" border=0>");

  TPaneTestWindow window(300, 200);
  THtmlPane& pane = window.Pane();
  std::string offered = "none";
  pane.OnHotSpotClick = [&](THtmlPane&, const std::string& src, bool& handled) {
    offered = src;
    handled = true;
  };
  pane.OpenDocumentFile(page);
  Click(pane, 10 + 30, 5 + 10);  // the right half: NOHREF, no link
  EXPECT_EQ(offered, "none");
  Click(pane, 10 + 5, 5 + 10);  // the left half
  EXPECT_EQ(offered, "left.htm");
}

TEST(HtmlPane, ARightClickTellsTheLinkAndWordUnderTheMouse) {
  TPaneTestWindow window(300, 200);
  THtmlPane& pane = window.Pane();
  std::vector<TRightClickParameters> clicks;
  pane.OnRightClick = [&](THtmlPane&, const TRightClickParameters& p) { clicks.push_back(p); };
  std::vector<std::string> covered;
  pane.OnHotSpotCovered = [&](THtmlPane&, const std::string& src) { covered.push_back(src); };
  pane.OpenDocumentText("<a href=\"next.htm\" target=\"main\">alpha beta</a>");
  const LPARAM at = MAKELPARAM(14, 12);
  ::SendMessageA(pane.PaintPanelHandle(), WM_MOUSEMOVE, 0, at);
  ::SendMessageA(pane.PaintPanelHandle(), WM_RBUTTONDOWN, MK_RBUTTON, at);
  ::SendMessageA(pane.PaintPanelHandle(), WM_RBUTTONUP, 0, at);
  ASSERT_EQ(clicks.size(), 1u);
  EXPECT_EQ(clicks[0].URL, "next.htm");
  EXPECT_EQ(clicks[0].Target, "main");
  EXPECT_EQ(clicks[0].ClickWord, "alpha");
  EXPECT_EQ(clicks[0].Image, nullptr);
  EXPECT_EQ(covered, (std::vector<std::string>{"next.htm"}));
  EXPECT_EQ(pane.CurrentFile(), "");  // a right click follows nothing
}

// The page painted in a 300 x 200 pane: `count` pixels of the row at y = 120 from `left`,
// well inside the page's background.
std::vector<COLORREF> PaintedRow(const std::string& page, int left, int count) {
  TPaneTestWindow window(300, 200);
  THtmlPane& pane = window.Pane();
  pane.OpenDocumentFile(page);
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

TEST(HtmlPane, ImagesReportTheMouseOverAndClicksOnThem) {
  TGifBuilder gif(3, 3, {0x0000FF, 0x00FF00});
  const TBytes8 bytes = gif.Frame(0, 0, 3, 3, TBytes8(9, 1)).Bytes();
  WriteTestFile("square.gif", std::string(bytes.begin(), bytes.end()));
  const std::string page =
      WriteTestFile("square.htm", "<img src=\"square.gif\" width=30 height=30>");
  TPaneTestWindow window(300, 200);
  THtmlPane& pane = window.Pane();
  std::vector<std::string> events;
  pane.OnImageOver = [&](THtmlPane&, TImageObj& image, TShiftState, int x, int y) {
    events.push_back("over " + image.Source + " " + std::to_string(x) + "," + std::to_string(y));
  };
  pane.OnImageClick = [&](THtmlPane&, TImageObj& image, TMouseButton button, TShiftState, int x,
                          int y) {
    events.push_back("click " + image.Source + (button == TMouseButton::mbLeft ? " left " : " ") +
                     std::to_string(x) + "," + std::to_string(y));
  };
  pane.OpenDocumentFile(page);
  window.Pump(50);  // drawn, so that the image knows where it stands
  ASSERT_EQ(pane.Document().ImageList.size(), 1u);
  const TImageObj& image = *pane.Document().ImageList[0];
  // A point 7 across and 9 down inside the picture, in the panel's pixels.
  const int x = image.DrawnX() + 7, y = image.DrawnY() - pane.VerticalPosition() + 9;
  ::SendMessageA(pane.PaintPanelHandle(), WM_MOUSEMOVE, 0, MAKELPARAM(x, y));
  ::SendMessageA(pane.PaintPanelHandle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
  ::SendMessageA(pane.PaintPanelHandle(), WM_LBUTTONUP, 0, MAKELPARAM(x, y));
  ::SendMessageA(pane.PaintPanelHandle(), WM_MOUSEMOVE, 0, MAKELPARAM(250, 150));
  EXPECT_EQ(events, (std::vector<std::string>{"over square.gif 7,9", "click square.gif left 7,9"}));
}

TEST(HtmlPane, ViewImagesTakesPicturesAwayAndBack) {
  TGifBuilder gif(5, 4, {0x0000FF, 0x00FF00});
  const TBytes8 bytes = gif.Frame(0, 0, 5, 4, TBytes8(20, 1)).Bytes();
  WriteTestFile("small.gif", std::string(bytes.begin(), bytes.end()));
  const std::string page =
      WriteTestFile("small.htm", "<p>Before <img src=\"small.gif\"> after</p>");
  TPaneTestWindow window(300, 200);
  THtmlPane& pane = window.Pane();
  std::vector<bool> processing;
  pane.OnProcessing = [&](THtmlPane&, bool on) { processing.push_back(on); };
  pane.OpenDocumentFile(page);
  const TImageObj& image = *pane.Document().ImageList.at(0);
  EXPECT_TRUE(image.HasPicture());
  pane.SetViewImages(false);
  EXPECT_FALSE(pane.ViewImages());
  EXPECT_FALSE(image.HasPicture());
  pane.SetViewImages(true);
  EXPECT_TRUE(image.HasPicture());
  EXPECT_EQ(processing, (std::vector<bool>{true, false, true, false, true, false}));
  EXPECT_FALSE(pane.Processing());
}

TEST(HtmlPane, TheHostSuppliesPicturesByName) {
  TGifBuilder gif(3, 2, {0x0000FF, 0x00FF00});
  const TBytes8 bytes = gif.Frame(0, 0, 3, 2, TBytes8(6, 1)).Bytes();
  TPaneTestWindow window(300, 200);
  THtmlPane& pane = window.Pane();
  std::vector<std::string> asked;
  pane.OnImageRequest = [&](THtmlPane&, const std::string& src) {
    asked.push_back(src);
    TImageRequestAnswer answer;
    if (src == "virtual/one.gif") {
      answer.Kind = TImageRequestAnswer::TKind::Stream;
      answer.Bytes = bytes;
    }
    return answer;
  };
  pane.OpenDocumentText("<img src=\"virtual/one.gif\"><img src=\"virtual/none.gif\">");
  ASSERT_EQ(pane.Document().ImageList.size(), 2u);
  EXPECT_EQ(asked, (std::vector<std::string>{"virtual/one.gif", "virtual/none.gif"}));
  EXPECT_TRUE(pane.Document().ImageList[0]->HasPicture());
  EXPECT_EQ(pane.Document().ImageList[0]->NaturalSize().Width, 3);
  EXPECT_FALSE(pane.Document().ImageList[1]->HasPicture());
}

// Bytes promised for later arrive: the waiting pictures take them, and so does the
// background, and the page is laid out with them.
TEST(HtmlPane, PicturesPromisedForLaterArrive) {
  TGifBuilder gif(3, 2, {0x0000FF, 0x00FF00});
  const TBytes8 bytes = gif.Frame(0, 0, 3, 2, TBytes8(6, 1)).Bytes();
  TPaneTestWindow window(300, 200);
  THtmlPane& pane = window.Pane();
  bool ready = false;
  pane.OnImageRequest = [&](THtmlPane&, const std::string&) {
    TImageRequestAnswer answer;
    answer.Kind = ready ? TImageRequestAnswer::TKind::Stream : TImageRequestAnswer::TKind::Later;
    if (ready) answer.Bytes = bytes;
    return answer;
  };
  pane.OpenDocumentText(
      "<body background=\"late/bg.gif\"><img src=\"late/one.gif\"><img src=\"late/one.gif\">");
  const auto& images = pane.Document().ImageList;
  ASSERT_EQ(images.size(), 2u);
  EXPECT_FALSE(images[0]->HasPicture());
  EXPECT_FALSE(pane.Document().BackgroundBitmap);
  ready = true;
  EXPECT_FALSE(pane.ImageArrived("late/other.gif"));  // nobody waits for it
  EXPECT_TRUE(pane.ImageArrived("LATE/ONE.GIF"));
  EXPECT_TRUE(images[0]->HasPicture());
  EXPECT_TRUE(images[1]->HasPicture());
  EXPECT_FALSE(pane.Document().BackgroundBitmap);
  EXPECT_TRUE(pane.ImageArrived("late/bg.gif"));
  EXPECT_TRUE(pane.Document().BackgroundBitmap);
}

TEST(HtmlPane, MetaRefreshIsReportedAfterTheLoad) {
  TPaneTestWindow window(300, 200);
  THtmlPane& pane = window.Pane();
  int delay = -1;
  std::string url;
  pane.OnMetaRefresh = [&](THtmlPane&, int seconds, const std::string& address) {
    delay = seconds;
    url = address;
  };
  pane.OpenDocumentText("<meta http-equiv=\"REFRESH\" content=\"0; URL=next.htm\"><p>x</p>");
  EXPECT_EQ(delay, 1);
  EXPECT_EQ(url, "next.htm");
  delay = -1;
  pane.OpenDocumentText("<meta http-equiv=\"refresh\" content=\"soon\"><p>x</p>");
  EXPECT_EQ(delay, -1);  // no number, no refresh
}
}  // namespace

}  // namespace htmlview
