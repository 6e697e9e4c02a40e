#include <gtest/gtest.h>

#include "view/PackedPosition.h"
#include "view/ViewGeometry.h"

namespace htmlview {

namespace {
TViewFrame Frame(int width, int height, TScrollStyle bars = TScrollStyle::ssBoth) {
  TViewFrame frame;
  frame.Width = width;
  frame.Height = height;
  frame.ScrollBars = bars;
  return frame;
}

TEST(ViewGeometry, LayoutWidthAndDocumentHeight) {
  // The help window's viewer: 457 wide, border and vertical bar room, margins 10.
  EXPECT_EQ(LayoutWidth(Frame(457, 266)), 457 - 16 - 3 - 20);
  TViewFrame plain = Frame(457, 266, TScrollStyle::ssNone);
  plain.BorderStyle = THTMLBorderStyle::htNone;
  EXPECT_EQ(LayoutWidth(plain), 457 - 1 - 20);
  EXPECT_EQ(DocumentHeight(Frame(457, 266), 100), 110);
  EXPECT_EQ(DocumentHeight(plain, 100), 105);
}

TEST(ViewGeometry, VerticalBarFromHeightMinusTwo) {
  const TViewFrame frame = Frame(200, 150);
  EXPECT_TRUE(ArrangeScrollBars(frame, 148, 50).VerticalNeeded);
  EXPECT_FALSE(ArrangeScrollBars(frame, 147, 50).VerticalNeeded);
  const auto shown = ArrangeScrollBars(frame, 148, 50);
  EXPECT_TRUE(shown.VerticalVisible);
  EXPECT_EQ(shown.PaintPanel, (TBounds{1, 1, 200 - 16 - 2, 148}));
  EXPECT_EQ(shown.VerticalBar, (TBounds{200 - 16 - 1, 1, 16, 148}));
  EXPECT_EQ(shown.VerticalPage, 149);
  EXPECT_EQ(shown.VerticalMax, 148);
  EXPECT_EQ(shown.VerticalLargeChange, 148 - 16);
  EXPECT_EQ(ArrangeScrollBars(frame, 147, 50).PaintPanel, (TBounds{1, 1, 198, 148}));
  // Styles without a vertical bar never show one.
  EXPECT_FALSE(ArrangeScrollBars(Frame(200, 150, TScrollStyle::ssNone), 5000, 50).VerticalNeeded);
}

TEST(ViewGeometry, HorizontalBarAndItsEffectOnTheVertical) {
  const TViewFrame frame = Frame(200, 150);
  // Wider than the control: the horizontal bar, which takes its height from the panel.
  auto wide = ArrangeScrollBars(frame, 100, 300);
  EXPECT_TRUE(wide.HorizontalShown);
  EXPECT_FALSE(wide.VerticalNeeded);
  EXPECT_EQ(wide.PaintPanel.Height, 150 - 2 - 16);
  EXPECT_EQ(wide.HorizontalRange, 320);
  EXPECT_EQ(wide.HorizontalBar, (TBounds{1, 150 - 16 - 1, 199, 16}));
  // A document that fits only without the horizontal bar needs the vertical one too.
  EXPECT_TRUE(ArrangeScrollBars(frame, 150 - 16 - 2, 175).VerticalNeeded);
  EXPECT_FALSE(ArrangeScrollBars(frame, 150 - 16 - 3, 175).VerticalNeeded);
  // The widest line is held at 6000.
  EXPECT_EQ(ArrangeScrollBars(frame, 100, 100000).HorizontalRange, 6020);
  // A vertical-only style shows no horizontal bar, however wide the document.
  EXPECT_FALSE(
      ArrangeScrollBars(Frame(200, 150, TScrollStyle::ssVertical), 1000, 900).HorizontalShown);
  EXPECT_TRUE(
      ArrangeScrollBars(Frame(200, 150, TScrollStyle::ssHorizontal), 1000, 900).HorizontalShown);
}

TEST(ViewGeometry, ShowVScrollKeepsADisabledBarAndNoBorderUsesTheCorner) {
  TViewFrame frame = Frame(200, 150);
  frame.ShowVScroll = true;
  frame.BorderStyle = THTMLBorderStyle::htNone;
  const auto a = ArrangeScrollBars(frame, 20, 50);
  EXPECT_TRUE(a.VerticalVisible);
  EXPECT_FALSE(a.VerticalEnabled);
  EXPECT_FALSE(a.BorderShown);
  EXPECT_EQ(a.PaintPanel, (TBounds{0, 0, 184, 150}));
}

TEST(ViewGeometry, PositionsHeldInRange) {
  EXPECT_EQ(ClampVerticalPosition(-5, 1000, 200), 0);
  EXPECT_EQ(ClampVerticalPosition(900, 1000, 200), 800);
  EXPECT_EQ(ClampVerticalPosition(50, 100, 200), 0);  // shorter than the panel
  EXPECT_EQ(ClampHorizontalPosition(500, 320, 198), 122);
}

TEST(PackedPosition, SectionAboveOffsetHeldAtSixteenBits) {
  EXPECT_EQ(PackPosition(3, 20), 0x00030014u);
  EXPECT_EQ(PackedSection(PackPosition(3, 20)), 3);
  EXPECT_EQ(PackedOffset(PackPosition(3, 20)), 20);
  EXPECT_EQ(PackPosition(70000, 90000), 0xFFFFFFFFu);
  EXPECT_EQ(PackPosition(-1, -5), 0u);
}
}  // namespace

}  // namespace htmlview
