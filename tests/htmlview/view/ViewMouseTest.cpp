// The mouse on the view: links followed by kind, image maps, right clicks, images, form
// objects, double-click words, and the auto-scroll of a drag and of the middle button.
#include <string>
#include <vector>

#include "ViewTestHost.h"
#include "document/ImageObj.h"
#include "document/SectionList.h"
#include "forms/DocumentForms.h"
#include "forms/FormControlObj.h"
#include "testing/ControlUser.h"

namespace htmlview {

namespace {
// On the first letters of the first line.
constexpr int kTextX = 14, kTextY = 12;

TEST_F(ViewTest, ClicksFollowLinksByTheirKind) {
  files.Add("pic.gif", "GIF89a");
  files.Add("to-picture.htm", "<a href=\"pic.GIF\">picture</a>");
  files.Add("to-notes.htm", "<a href=\"notes.txt\">notes</a>");
  files.Add("to-other.htm", "<a href=\"to-notes.htm\">other</a>");
  const struct {
    const char* page;
    bool handled;  // by OnHotSpotClick
    const char* shown;
    THtmlFileType type;
  } cases[] = {
      {"to-picture.htm", false, "pic.GIF", THtmlFileType::Image},
      {"to-notes.htm", false, "to-notes.htm", THtmlFileType::HTML},  // not a kind it shows
      {"to-other.htm", true, "to-other.htm", THtmlFileType::HTML},
      {"to-other.htm", false, "to-notes.htm", THtmlFileType::HTML},
  };
  for (const auto& c : cases) {
    LogLinkClicks(c.handled);
    view.OpenDocumentFile(c.page);
    Click(kTextX, kTextY);
    EXPECT_EQ(view.CurrentFile(), File(c.shown)) << c.page;
    EXPECT_EQ(view.CurrentFileType(), c.type) << c.page;
  }
  EXPECT_EQ(Events,
            (TStrings{"link pic.GIF", "link notes.txt", "link to-notes.htm", "link to-notes.htm"}));
  EXPECT_EQ(view.Visited().Items().at(0), File("to-notes.htm"));
}

// A link to a name that the page does not define changes nothing: not the place, not the
// history, not the visited links.
TEST_F(ViewTest, ALinkToAnUnknownNameChangesNothing) {
  std::string page;
  for (int i = 0; i < 80; ++i)
    page += "<a href=\"#nowhere\">Link " + std::to_string(i) + "</a><br>";
  files.Add("first.htm", "<a name=\"here\">1</a>");
  files.Add("links.htm", page);
  view.SetHistoryMaxCount(5);
  view.OpenDocumentFile("first.htm#here");
  view.OpenDocumentFile("links.htm");
  view.SetVerticalPosition(400);
  LogLinkClicks(false);
  const THistory history = view.History();
  const TStrings visited = view.Visited().Items();
  ASSERT_EQ(history.Count(), 2u);
  ASSERT_EQ(visited.size(), 1u);
  Click(kTextX, kTextY);
  EXPECT_EQ(Events, (TStrings{"link #nowhere"}));
  EXPECT_EQ(view.VerticalPosition(), 400);
  EXPECT_EQ(view.History().FileNames(), history.FileNames());
  EXPECT_EQ(view.History().Index(), history.Index());
  EXPECT_EQ(view.History().Positions()[0].Pos, history.Positions()[0].Pos);
  EXPECT_EQ(view.Visited().Items(), visited);
}

TEST_F(ViewTest, AnImageMapAreaIsALink) {
  ServePictures({{"map.gif", SolidGif(40, 20)}});
  LogLinkClicks(true);
  Show(
      "<map name=\"m\"><area shape=rect coords=\"0,0,19,19\" href=\"left.htm\">"
      "<area shape=rect coords=\"20,0,39,19\" nohref></map>"
      "<img src=\"map.gif\" usemap=\"#M\" border=0>");
  Click(10 + 30, 5 + 10);  // the right half: NOHREF, no link
  Click(10 + 5, 5 + 10);
  EXPECT_EQ(Events, (TStrings{"link left.htm"}));
}

TEST_F(ViewTest, ARightClickTellsTheLinkAndWordUnderTheMouse) {
  view.OnRightClick = [&](THtmlView&, const TRightClickParameters& p) {
    Events.push_back("right " + p.URL + " " + p.Target + " " + p.ClickWord +
                     (p.Image ? " image" : ""));
  };
  view.OnHotSpotCovered = [&](THtmlView&, const std::string& src) {
    Events.push_back("covered " + src);
  };
  Show("<a href=\"next.htm\" target=\"main\">alpha beta</a>");
  view.MouseMove(0, kTextX, kTextY);
  EXPECT_EQ(host.Cursor, crHand);
  Click(kTextX, kTextY, TMouseButton::mbRight);
  EXPECT_EQ(Events, (TStrings{"covered next.htm", "right next.htm main alpha"}));
  EXPECT_EQ(view.CurrentFile(), "");  // a right click follows nothing
}

// An image click whose handler shows another page ends that click: the right-click event
// does not get the old page's image, and a left click does not follow the link that the
// new page has at that point.
TEST_F(ViewTest, ImagesReportTheMouseOverAndClicksOnThem) {
  ServePictures({{"square.gif", SolidGif(3, 3)}});
  bool showAnother = false;
  view.OnImageOver = [&](THtmlView&, TImageObj& image, TShiftState, int x, int y) {
    Events.push_back("over " + image.Source + " " + std::to_string(x) + "," + std::to_string(y));
  };
  view.OnImageClick = [&](THtmlView& sender, TImageObj& image, TMouseButton button, TShiftState,
                          int x, int y) {
    Events.push_back("click " + image.Source + (button == TMouseButton::mbLeft ? " left " : " ") +
                     std::to_string(x) + "," + std::to_string(y));
    if (showAnother) sender.OpenDocumentText("<a href=\"next.htm\">a link where it was</a>");
  };
  view.OnRightClick = [&](THtmlView&, const TRightClickParameters&) { Events.push_back("right"); };
  LogLinkClicks(true);
  const struct {
    bool showAnother;
    TMouseButton button;
    TStrings events;
  } cases[] = {
      {false, TMouseButton::mbLeft, {"over square.gif 7,9", "click square.gif left 7,9"}},
      {true, TMouseButton::mbLeft, {"over square.gif 7,9", "click square.gif left 7,9"}},
      {true, TMouseButton::mbRight, {"over square.gif 7,9", "click square.gif 7,9"}},
  };
  for (const auto& c : cases) {
    Show("<p>above</p><img src=\"square.gif\" width=30 height=30>");
    showAnother = c.showAnother;
    Events.clear();
    const TImageObj& image = *view.Document().ImageList.at(0);
    const int x = image.DrawnX() + 7, y = image.DrawnY() - view.VerticalPosition() + 9;
    view.MouseMove(0, x, y);
    Click(x, y, c.button);
    view.MouseMove(0, 250, 150);
    EXPECT_EQ(Events, c.events) << &c - cases;
    EXPECT_FALSE(host.Captured);
  }
}

// The handler frees the control clicked (the sanitizer catches a later use of it).
TEST_F(ViewTest, AnObjectClickGetsItsControlAndMayShowAnotherPage) {
  view.OnObjectClick = [&](THtmlView& sender, TFormControlObj& control, const std::string& code) {
    Events.push_back(control.Name() + " " + code);
    sender.OpenDocumentText("<title>Another</title>");
  };
  Show("<form><input type=button name=go value=Go onclick=\"run()\"></form>");
  ASSERT_EQ(view.Forms().Controls().size(), 1u);
  UserClick(dynamic_cast<TDetachedControlWindow&>(*view.Forms().Controls()[0]->Window()));
  EXPECT_EQ(Events, (TStrings{"go run()"}));
  EXPECT_EQ(view.DocumentTitle(), "Another");
  EXPECT_TRUE(view.Forms().Controls().empty());
}

// Letters and digits make a word; punctuation right after one ends it.
TEST_F(ViewTest, ADoubleClickSelectsTheWordUnderTheMouse) {
  const struct {
    const char* text;
    int x;
    const char* word;
  } cases[] = {{"alpha, beta", kTextX, "alpha"},
               {"alpha42,beta gamma", kTextX + 7 * 6, "alpha42"},
               {"(one) two", kTextX + 7 * 2, "one"}};
  for (const auto& c : cases) {
    Show(c.text);
    Click(c.x, kTextY);
    view.DoubleClick(shift::LeftButton, c.x, kTextY);
    view.MouseUp(TMouseButton::mbLeft, 0, c.x, kTextY);
    EXPECT_EQ(view.SelectedText(), c.word) << c.text;
  }
}

// The drag ends when the button comes up or the capture is taken away (another window took
// the mouse; the button is still held): no more scrolling or selecting after that.
TEST_F(ViewTest, ADragScrollsFasterFurtherOutUntilItEnds) {
  Show(LongPage());
  const struct {
    int below, step;
    bool captureLost;
  } cases[] = {{40, 8 * 16, false}, {5, 16, false}, {40, 8 * 16, true}};
  for (const auto& c : cases) {
    view.SetVerticalPosition(0);
    const int y = PanelHeight() + c.below;
    view.MouseDown(TMouseButton::mbLeft, shift::LeftButton, kTextX, 30);
    EXPECT_TRUE(host.Captured);
    view.MouseMove(shift::LeftButton, kTextX, y);  // the first step comes at once
    EXPECT_EQ(view.VerticalPosition(), c.step) << c.below;
    view.TimerTick(TViewTimer::AutoScroll, kTextX, y);
    EXPECT_EQ(view.VerticalPosition(), 2 * c.step) << c.below;
    const std::string selected = view.SelectedText();
    EXPECT_FALSE(selected.empty());  // the drag selected as it went
    c.captureLost ? view.CaptureLost() : view.MouseUp(TMouseButton::mbLeft, 0, kTextX, y);
    EXPECT_FALSE(host.Captured);
    EXPECT_FALSE(host.Running(TViewTimer::AutoScroll));
    view.TimerTick(TViewTimer::AutoScroll, kTextX, y);  // a tick already on its way
    view.MouseMove(c.captureLost ? shift::LeftButton : 0, 200, 90);
    view.MouseMove(c.captureLost ? shift::LeftButton : 0, kTextX, y + 40);
    EXPECT_EQ(view.VerticalPosition(), 2 * c.step) << c.below;
    EXPECT_EQ(view.SelectedText(), selected);
  }
}

// Middle button pressed and released at y 50: the mode stays, and the mouse further away
// scrolls faster (not at all near where it began). A key ends the mode.
TEST_F(ViewTest, MiddleButtonScrollsFasterFurtherAway) {
  Show(LongPage());
  const struct { int away, step; } cases[] = {{100, 32}, {40, 8}, {-40, -8}, {10, 0}};
  for (const auto& c : cases) {
    view.SetVerticalPosition(200);
    Click(50, 50, TMouseButton::mbMiddle);
    EXPECT_EQ(host.Cursor, crScrollBoth);
    view.MouseMove(0, 50, 50 + c.away);
    view.TimerTick(TViewTimer::AutoScroll, 50, 50 + c.away);
    EXPECT_EQ(view.VerticalPosition(), 200 + 2 * c.step) << c.away;
    const int moved = view.VerticalPosition();
    view.KeyDown(vkey::Down, 0);
    EXPECT_EQ(host.Cursor, crDefault);
    EXPECT_FALSE(host.Running(TViewTimer::AutoScroll));
    view.MouseMove(0, 50, 50 + c.away);
    view.TimerTick(TViewTimer::AutoScroll, 50, 50 + c.away);
    EXPECT_EQ(view.VerticalPosition(), moved) << "the key ended the mode";
  }
}

}  // namespace

}  // namespace htmlview
