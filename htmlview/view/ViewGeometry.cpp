#include "view/ViewGeometry.h"

#include <algorithm>

namespace htmlview {

bool HasVerticalStyle(TScrollStyle style) {
  return style == TScrollStyle::ssVertical || style == TScrollStyle::ssBoth;
}

bool HasHorizontalStyle(TScrollStyle style) {
  return style == TScrollStyle::ssHorizontal || style == TScrollStyle::ssBoth;
}

namespace {
int BorderAllowance(const TViewFrame& frame) {
  return frame.BorderStyle == THTMLBorderStyle::htNone ? 1 : 3;
}
}  // namespace

int LayoutWidth(const TViewFrame& frame) {
  const int bar = HasVerticalStyle(frame.ScrollBars) ? frame.ScrollBarWidth : 0;
  return frame.Width - bar - BorderAllowance(frame) - 2 * frame.MarginWidth;
}

int DocumentHeight(const TViewFrame& frame, int laidOutHeight) {
  const int margins = HasVerticalStyle(frame.ScrollBars) ? 2 : 1;
  return laidOutHeight + margins * frame.MarginHeight;
}

TScrollBarArrangement ArrangeScrollBars(const TViewFrame& frame, int documentHeight,
                                        int widestLine) {
  TScrollBarArrangement a;
  widestLine = std::min(widestLine, kMaxWidestLine);
  const int f = frame.BorderStyle == THTMLBorderStyle::htNone ? 0 : 1;
  a.BorderShown = f == 1;
  const int need = 2 * frame.MarginWidth + widestLine;
  const int sb = frame.ScrollBarWidth;
  const bool vertical = HasVerticalStyle(frame.ScrollBars);
  // A horizontal bar never shows where the style forbids one, even beside a vertical bar.
  const bool horizontal = HasHorizontalStyle(frame.ScrollBars);

  if (vertical) {
    a.VerticalNeeded =
        documentHeight >= frame.Height - 2 ||
        (horizontal && documentHeight >= frame.Height - sb - 2 && frame.Width - sb < need);
    a.HorizontalShown =
        horizontal && (frame.Width < need ||
                       (frame.Width - sb < need && (a.VerticalNeeded || frame.ShowVScroll)));
  } else {
    a.HorizontalShown = frame.ScrollBars == TScrollStyle::ssHorizontal && frame.Width < need;
  }

  const int w =
      (a.VerticalNeeded || (frame.ShowVScroll && vertical)) ? frame.Width - sb : frame.Width;
  a.PaintPanel = {f, f, std::max(0, w - 2 * f),
                  std::max(0, frame.Height - 2 * f - (a.HorizontalShown ? sb : 0))};

  a.HorizontalRange = std::max(need, w - 2 * f);
  a.HorizontalLargeChange = std::max(1, w - 20);
  a.HorizontalBar = {f, frame.Height - sb - f, std::max(0, w - f), sb};
  a.HorizontalPage = w;

  a.VerticalBar = {frame.Width - sb - f, f, sb, std::max(0, frame.Height - 2 * f)};
  a.VerticalLargeChange = std::max(1, a.PaintPanel.Height - kVerticalSmallChange);
  a.VerticalVisible = frame.ShowVScroll ? vertical : a.VerticalNeeded;
  a.VerticalEnabled = a.VerticalNeeded;
  a.VerticalMax = std::max(0, documentHeight);
  a.VerticalPage = a.PaintPanel.Height + 1;
  return a;
}

int ClampVerticalPosition(int position, int documentHeight, int panelHeight) {
  return std::max(0, std::min(position, documentHeight - panelHeight));
}

int ClampHorizontalPosition(int position, int range, int panelWidth) {
  return std::max(0, std::min(position, range - panelWidth));
}

}  // namespace htmlview
