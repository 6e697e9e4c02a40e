#include "Section.h"

#include <algorithm>

#include "InlineControlObj.h"
#include "SectionList.h"
#include "SectionPieces.h"

namespace htmlview {

using namespace section_pieces;

// Drawing the laid-out lines, and the dump of the layout.

void TSection::DrawText(std::int32_t from, std::int32_t to, std::int32_t x, std::int32_t baseline) {
  const std::string_view chars = Buffer();
  const TSpan<TFontObj> fonts = Fonts();
  TCanvas& canvas = Doc.Canvas();
  const std::int32_t selB = Doc.SelB - StartCurs;
  const std::int32_t selE = Doc.SelE - StartCurs;
  std::string text;
  ForEachPiece(
      Doc.RunStyles(), fonts, Marks(), RunAt(from, 0), from, to,
      [&](std::int32_t a, std::int32_t b, const TRunStyle& run) {
        std::int32_t base = baseline;
        if (run.SScript == TSubSuper::Sub) base += run.Metrics.Descent / 2 + 1;
        if (run.SScript == TSubSuper::Super) base -= run.Metrics.Height / 3;
        const TColor color = run.DrawColor(Doc);
        // Split at the selection's ends: selected text is drawn with the colours exchanged.
        while (a < b) {
          const bool selected = a >= selB && a < selE;
          std::int32_t stop = b;
          if (selected)
            stop = std::min(b, selE);
          else if (selB > a)
            stop = std::min(b, selB);
          text.assign(chars, static_cast<std::size_t>(a), static_cast<std::size_t>(stop - a));
          std::replace(text.begin(), text.end(), TBufferMark::NoBreakSpace, ' ');
          const TTextPaint paint = selected ? TTextPaint{Doc.Background, true, color}
                                            : TTextPaint{color, false, Doc.Background};
          canvas.TextOut(x, base, run.Handle, text, paint);
          x += canvas.TextWidth(run.Handle, text);
          a = stop;
        }
        return true;
      },
      [&](std::int32_t pos, const TRunStyle&) {
        x += MarkWidth(pos);
        return true;
      });
}

void TSection::DrawLine(const LineRec& line, std::int32_t x, std::int32_t clipWidth) {
  const std::string_view chars = Buffer();
  TCanvas& canvas = Doc.Canvas();
  const std::int32_t left = x + line.LineX;
  const std::int32_t end = line.Start + line.Ln;
  const bool clipped = !Wraps();
  if (clipped)
    canvas.PushClip(
        {left, line.DrawY, left + std::min(line.DrawWidth, clipWidth), line.DrawY + line.Height()});
  DrawText(line.Start, end, left, line.Baseline());

  // Inline images and controls at their places. Controls advance from the one before, so
  // that a line of many (no-break text) is measured once, not from its start for each.
  std::int32_t measuredTo = line.Start;
  std::int32_t measuredX = left;
  const std::vector<std::int32_t>& marks = Marks();
  for (auto mark = std::lower_bound(marks.begin(), marks.end(), line.Start);
       mark != marks.end() && *mark < end; ++mark) {
    const std::int32_t pos = *mark;
    const char ch = chars[static_cast<std::size_t>(pos)];
    if (IsImageMark(ch)) {
      TImageObj* image = ImageAt(pos);
      if (image && !image->IsFloating()) image->Draw(x + image->DrawX, image->DrawY);
    } else if (IsControlMark(ch)) {
      TInlineControlObj* control = ControlAt(pos);
      if (!control || !control->TakesPlace()) continue;
      const std::int32_t raise = control->RaisedByDescent() ? line.Descent : 0;
      const std::int32_t bottom = line.DrawY + line.SpaceBefore + line.LineHt - raise;
      measuredX += WidthOf(measuredTo, pos);
      measuredTo = pos;
      control->PlaceAt(measuredX, bottom - control->Height());
    }
  }
  if (clipped) canvas.PopClip();

  // The dummy caret: a one-pixel bar one font high.
  if (Doc.ShowDummyCaret) {
    const std::int32_t caret = Doc.CaretPos - StartCurs;
    const bool last = &line == &lines_.back();
    if (caret >= line.Start && (caret < end || (last && caret == end))) {
      const std::int32_t cx = x + XOfPos(line, caret);
      const std::int32_t top = line.DrawY + line.SpaceBefore;
      canvas.FillRect({cx, top, cx + 1, top + line.LineHt}, Doc.FontColor);
    }
  }
}

std::int32_t TSection::Draw(const TRect& clip, std::int32_t clipWidth, std::int32_t x,
                            std::int32_t /*y*/) {
  const std::int32_t bottom = YValue + SectionHeight;
  if (YValue >= clip.Bottom || YValue + std::max(SectionHeight, DrawHeight) <= clip.Top)
    return bottom;
  // Floats may hang below their lines: they are drawn by themselves.
  for (auto& image : Images())
    if (image->IsFloating() && image->DrawY < clip.Bottom &&
        image->DrawY + image->ImageHeight > clip.Top)
      image->Draw(x + image->DrawX, image->DrawY);
  // Lines outside the clip are skipped: the first one that reaches it is found by
  // bisection.
  auto line = std::lower_bound(
      lines_.begin(), lines_.end(), clip.Top,
      [](const LineRec& l, std::int32_t top) { return l.DrawY + l.Height() <= top; });
  for (; line != lines_.end() && line->DrawY < clip.Bottom; ++line) {
    DrawLine(*line, x, clipWidth);
    if (line == lines_.begin()) DrawMarker(*line, x);
  }
  return bottom;
}

void TSection::Dump(std::string& out, int indent) const {
  const std::string_view chars = Buffer();
  static const char* const kJustify[] = {"?", "left", "centre", "right"};
  DumpHeader(out, indent, KindName());
  out += " align=";
  out += kJustify[static_cast<int>(justify_)];
  out += " level=" + std::to_string(listLevel_);
  if (clear_ != TClearType::None) out += " clear=" + std::to_string(static_cast<int>(clear_));
  DumpDetails(out);
  out += '\n';
  const std::string pad(static_cast<std::size_t>(indent) + 2, ' ');
  for (const LineRec& line : lines_) {
    out += pad + "line x=" + std::to_string(line.LineX) + " y=" + std::to_string(line.DrawY) +
           " w=" + std::to_string(line.DrawWidth) + " h=" + std::to_string(line.SpaceBefore) + "+" +
           std::to_string(line.LineHt) + "+" + std::to_string(line.SpaceAfter) +
           " chars=" + std::to_string(line.Start) + ".." + std::to_string(line.Start + line.Ln) +
           " \"";
    for (std::int32_t pos = line.Start; pos < line.Start + line.Ln; ++pos) {
      const char ch = chars[static_cast<std::size_t>(pos)];
      if (IsImageMark(ch))
        out += "[img]";
      else if (IsControlMark(ch))
        out += "[ctl]";
      else if (ch == TBufferMark::NoBreakSpace)
        out += '~';
      else
        out += ch;
    }
    out += "\"\n";
  }
  for (const auto& image : Images()) {
    static const char* const kAlign[] = {"top", "middle", "bottom", "left", "right"};
    out += pad + "image x=" + std::to_string(image->DrawX) + " y=" + std::to_string(image->DrawY) +
           " w=" + std::to_string(image->ImageWidth) + " h=" + std::to_string(image->ImageHeight) +
           " align=" + kAlign[static_cast<int>(image->ObjAlign)] + '\n';
  }
}

}  // namespace htmlview
