#include "HtmlTable.h"

#include <algorithm>
#include <string>

#include "document/SectionList.h"

namespace htmlview {

// The table was placed by layout; `y` adds nothing to that.
std::int32_t ThtmlTable::Draw(const TRect& clip, std::int32_t clipWidth, std::int32_t x,
                              std::int32_t /*y*/) {
  const std::int32_t next = YValue + SectionHeight;
  if (tableY_ + tableHeight_ <= clip.Top || tableY_ >= clip.Bottom) return next;
  TCanvas& canvas = Doc.Canvas();
  // Light edges vanish on a white page: silver stands in for the highlight there.
  const TColor shadow = canvas.SystemColor(TSystemColor::ButtonShadow);
  const TColor light = Doc.Background == kWhite ? MakeColor(192, 192, 192)
                                                : canvas.SystemColor(TSystemColor::ButtonHighlight);
  auto edge = [&](const TRect& rect, bool raised) {
    if (attributes_.BorderColorGiven)
      canvas.FrameRect(rect, attributes_.BorderColor);
    else if (raised)
      canvas.Edge3D(rect, light, shadow);
    else
      canvas.Edge3D(rect, shadow, light);
  };
  if (rowsWidth_ > 0) {
    const TRect rows{x + rowsX_, rowsY_, x + rowsX_ + rowsWidth_, rowsY_ + rowsHeight_};
    if (attributes_.BgColorGiven) canvas.FillRect(rows, attributes_.BgColor);
    if (attributes_.Border) edge(rows, true);
  }
  const std::int32_t padding = attributes_.CellPadding;
  // Rows above and below the clip are not visited.
  for (std::size_t r = FirstRowReaching(clip.Top); r < rows_.size() && rowTops_[r] < clip.Bottom;
       ++r) {
    for (const auto& cell : rows_[r]->Cells) {
      if (cell->BoxY + cell->BoxHeight <= clip.Top || cell->BoxY >= clip.Bottom) continue;
      const TRect box{x + cell->BoxX, cell->BoxY, x + cell->BoxX + cell->BoxWidth,
                      cell->BoxY + cell->BoxHeight};
      if (cell->Cell.Background) canvas.FillRect(box, *cell->Cell.Background);
      if (attributes_.Border) edge(box, false);
      cell->Cell.Draw(clip, clipWidth, x + cell->ContentX, cell->BoxY + padding);
    }
  }
  if (caption_) {
    if (caption_->Cell.Background) {
      canvas.FillRect(
          TRect{x + caption_->BoxX, caption_->BoxY, x + caption_->BoxX + caption_->BoxWidth,
                caption_->BoxY + caption_->BoxHeight},
          *caption_->Cell.Background);
    }
    caption_->Cell.Draw(clip, clipWidth, x + caption_->ContentX, caption_->BoxY);
  }
  return next;
}

void ThtmlTable::Dump(std::string& out, int indent) const {
  const std::string pad(static_cast<std::size_t>(std::max(indent, 0)), ' ');
  out += pad + "table y=" + std::to_string(YValue) + " h=" + std::to_string(SectionHeight);
  if (DrawHeight != SectionHeight) out += " drawn=" + std::to_string(DrawHeight);
  out += " x=" + std::to_string(tableX_) + " top=" + std::to_string(tableY_) +
         " w=" + std::to_string(tableWidth_) + " th=" + std::to_string(tableHeight_);
  if (attributes_.Floating)
    out += attributes_.Alignment == TJustify::Right ? " float=right" : " float=left";
  out += " cols=";
  for (std::size_t c = 0; c < columnWidths_.size(); ++c)
    out += (c ? "," : "") + std::to_string(columnWidths_[c]);
  out += "\n";
  auto dumpCell = [&](const TCellObj& cell, const std::string& what, int at) {
    out += std::string(static_cast<std::size_t>(std::max(at, 0)), ' ') + what +
           " box=" + std::to_string(cell.BoxX) + "," + std::to_string(cell.BoxY) + " " +
           std::to_string(cell.BoxWidth) + "x" + std::to_string(cell.BoxHeight) +
           " content=" + std::to_string(cell.ContentX) + " " + std::to_string(cell.ContentWidth) +
           "x" + std::to_string(cell.ContentHeight) + "\n";
    cell.Cell.Dump(out, at + 2);
  };
  if (caption_ && !captionBelow_) dumpCell(*caption_, "caption", indent + 2);
  for (std::size_t r = 0; r < rows_.size(); ++r) {
    out += pad + "  row " + std::to_string(r) + " h=" + std::to_string(rows_[r]->RowHeight) + "\n";
    for (const auto& cell : rows_[r]->Cells) {
      const TGridPlace& place = cell->Place;
      dumpCell(*cell,
               "cell r" + std::to_string(place.Row) + "c" + std::to_string(place.Column) +
                   " span=" + std::to_string(place.ColSpan) + "x" + std::to_string(place.RowSpan),
               indent + 4);
    }
  }
  if (caption_ && captionBelow_) dumpCell(*caption_, "caption", indent + 2);
}

}  // namespace htmlview
