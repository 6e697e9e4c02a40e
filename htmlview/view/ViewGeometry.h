#pragma once

#include <cstdint>

namespace htmlview {

// Where the viewer's document, paint panel and scroll bars go for a given control size:
// arithmetic only, so that the window control stays thin and the rules are testable.

enum class TScrollStyle : std::uint8_t { ssNone, ssHorizontal, ssVertical, ssBoth };
enum class THTMLBorderStyle : std::uint8_t { htFocused, htNone, htSingle };

struct TBounds {
  int Left = 0, Top = 0, Width = 0, Height = 0;
  friend bool operator==(const TBounds& a, const TBounds& b) {
    return a.Left == b.Left && a.Top == b.Top && a.Width == b.Width && a.Height == b.Height;
  }
};

// The control as laid out.
struct TViewFrame {
  int Width = 150, Height = 150;
  int ScrollBarWidth = 16;
  THTMLBorderStyle BorderStyle = THTMLBorderStyle::htFocused;
  TScrollStyle ScrollBars = TScrollStyle::ssBoth;
  int MarginWidth = 10, MarginHeight = 5;  // the current margins
  bool ShowVScroll = false;                // htShowVScroll
};

constexpr int kMaxWidestLine = 6000;
constexpr int kVerticalSmallChange = 16;
constexpr int kHorizontalSmallChange = 15;

bool HasVerticalStyle(TScrollStyle style);
bool HasHorizontalStyle(TScrollStyle style);

// The width the document is laid out in: the vertical bar's room is always kept aside
// when a vertical bar may show, so that its arrival does not move the text.
int LayoutWidth(const TViewFrame& frame);
// The scrollable height for a laid-out height (the margins above and below).
int DocumentHeight(const TViewFrame& frame, int laidOutHeight);

struct TScrollBarArrangement {
  bool BorderShown = false;
  TBounds PaintPanel;
  bool VerticalNeeded = false;
  bool VerticalVisible = false;
  bool VerticalEnabled = false;
  TBounds VerticalBar;
  int VerticalLargeChange = 1;
  int VerticalMax = 0;   // range 0..document height
  int VerticalPage = 0;  // paint panel height + 1
  bool HorizontalShown = false;
  TBounds HorizontalBar;
  int HorizontalRange = 0;
  int HorizontalLargeChange = 1;
  int HorizontalPage = 0;
};

TScrollBarArrangement ArrangeScrollBars(const TViewFrame& frame, int documentHeight,
                                        int widestLine);

// A vertical position held within 0..document height - panel height.
int ClampVerticalPosition(int position, int documentHeight, int panelHeight);
// A horizontal position held within 0..range - panel width.
int ClampHorizontalPosition(int position, int range, int panelWidth);

}  // namespace htmlview
