// The view's size, bars and keys: the vertical bar's boundary, form controls on a jump,
// percent heights, sizes that come at no size or during a layout, and the keyboard.
#include <string>
#include <vector>

#include "ViewTestHost.h"
#include "document/SectionList.h"
#include "forms/DocumentForms.h"
#include "forms/FormControlObj.h"

namespace htmlview {

namespace {
// The bar shows from a control height of the document's plus two.
TEST_F(ViewTest, VerticalBarFromTheControlHeightLessTwo) {
  Show("<p>One short line.</p>");
  const int height = view.DocumentHeight();
  ASSERT_GT(height, 10);
  for (const int extra : {2, 3}) {
    view.Resize(300, height + extra);
    EXPECT_EQ(view.Arrangement().VerticalNeeded, extra == 2) << extra;
    EXPECT_EQ(view.Arrangement().VerticalVisible, extra == 2) << extra;
  }
  view.Resize(300, 200);
  Show(LongPage());
  view.SetVerticalPosition(1000000);
  EXPECT_EQ(view.VerticalPosition(), view.DocumentHeight() - PanelHeight());
  view.SetVerticalPosition(-5);
  EXPECT_EQ(view.VerticalPosition(), 0);
}

// A form control scrolled out of view by a jump does not stay where the old view had it.
TEST_F(ViewTest, FormControlsLeaveWithTheirLinesOnAJump) {
  Show("<form><input name=\"field\" value=\"typed\"></form>" + LongPage());
  ASSERT_EQ(view.Forms().Controls().size(), 1u);
  const TControlWindow& edit = *view.Forms().Controls()[0]->Window();
  EXPECT_TRUE(edit.Visible());
  for (const int position : {1000, 0}) {
    view.SetVerticalPosition(position);
    EXPECT_FALSE(edit.Visible()) << position;
    Paint();
    EXPECT_EQ(edit.Visible(), position == 0) << position;
  }
}

// A table of HEIGHT 100% in the body takes the view less its margins, so it fills the
// view without asking for a scroll bar.
TEST_F(ViewTest, APercentTableHeightCountsFromTheViewLessItsMargins) {
  Show("<table height=\"100%\"><tr><td>cell</td></tr></table>");
  EXPECT_GT(view.DocumentHeight(), 180);
  EXPECT_LT(view.DocumentHeight(), 200 - 2);
  EXPECT_FALSE(view.Arrangement().VerticalNeeded);
}

// What a minimised window gives its view.
TEST_F(ViewTest, NoSizeKeepsTheLayout) {
  Show(LongPage());
  view.SetVerticalPosition(400);
  const int height = view.DocumentHeight();
  const TBounds panel = view.Arrangement().PaintPanel;
  for (const auto& size : {std::pair{0, 0}, std::pair{0, 200}, std::pair{300, 0}}) {
    view.Resize(size.first, size.second);
    EXPECT_EQ(view.DocumentHeight(), height);
    EXPECT_EQ(view.Arrangement().PaintPanel, panel);
    EXPECT_EQ(view.VerticalPosition(), 400);
  }
}

// A message box of a layout lets other events in: a size that comes then must wait for
// the layout to end, and is taken after it.
TEST_F(ViewTest, ASizeThatComesWhileALayoutShowsAMessageIsTakenAfterIt) {
  std::string columns;
  for (int i = 0; i < 201; ++i) columns += "<td>c</td>";
  int showing = 0, mostAtOnce = 0;
  host.WhileErrorShows = [&](const std::string&) {
    mostAtOnce = std::max(mostAtOnce, ++showing);
    if (host.Errors.size() == 1) view.Resize(200, 200);
    --showing;
  };
  Show(LongPage() + "<table><tr>" + columns + "</tr></table>");
  ASSERT_EQ(host.Errors.at(0), "Table has too many Columns");
  const int wide = view.DocumentHeight();
  EXPECT_EQ(host.Tasks, (std::deque<TViewTask>{TViewTask::Resize}));
  host.RunTasks(view);
  EXPECT_EQ(mostAtOnce, 1);
  EXPECT_GT(view.DocumentHeight(), wide) << "narrower, so taller";
  const int height = view.DocumentHeight();
  view.RelayoutDocument();
  EXPECT_EQ(view.DocumentHeight(), height) << "laid out for the size it has";
}

// Ctrl+A selects everything, Ctrl+C and Ctrl+Insert copy it with CR LF line ends through
// the host; the key events are told the shift state held.
TEST_F(ViewTest, KeysSelectAndCopy) {
  std::vector<TShiftState> told;
  view.OnKeyDown = [&](THtmlView&, std::uint16_t&, TShiftState state) { told.push_back(state); };
  view.OnKeyUp = [&](THtmlView&, std::uint16_t&, TShiftState state) { told.push_back(state); };
  Show("<p>one</p><p>two</p>");
  const struct {
    std::uint16_t key;
    TShiftState state;
    const char* copied;
  } cases[] = {{'C', shift::Control, ""},  // nothing selected yet
               {'A', shift::Control, ""},
               {'C', 0, ""},
               {'C', shift::Control, "one\r\ntwo"},
               {vkey::Insert, shift::Control | shift::Shift, "one\r\ntwo"}};
  std::vector<TShiftState> held;
  for (const auto& c : cases) {
    host.Copied.clear();
    view.KeyDown(c.key, c.state);
    view.KeyUp(c.key, c.state);
    EXPECT_EQ(host.Copied, c.copied) << &c - cases;
    held.insert(held.end(), {c.state, c.state});
  }
  EXPECT_EQ(told, held);
}

// Arrows and page keys scroll, and a view that moved is repainted.
TEST_F(ViewTest, KeysScroll) {
  Show("<pre>" + std::string(400, 'x') + "</pre>" + LongPage());
  const int large = view.Arrangement().VerticalLargeChange,
            end = view.DocumentHeight() - PanelHeight();
  const struct {
    std::uint16_t key;
    int top, left;
  } cases[] = {{vkey::Down, 416, 0},          {vkey::Up, 384, 0}, {vkey::Next, 400 + large, 0},
               {vkey::Prior, 400 - large, 0}, {vkey::Home, 0, 0}, {vkey::End, end, 0},
               {vkey::Right, 400, 15},        {'Q', 400, 0}};
  for (const auto& c : cases) {
    view.SetVerticalPosition(400);
    view.HorizontalBar(TScrollAction::ToStart);
    const int repaints = host.Invalidations;
    view.KeyDown(c.key, 0);
    EXPECT_EQ(view.VerticalPosition(), c.top) << c.key;
    EXPECT_EQ(view.HorizontalPosition(), c.left) << c.key;
    EXPECT_EQ(host.Invalidations > repaints, c.key != 'Q') << c.key;
  }
}
}  // namespace

}  // namespace htmlview
