#include "Section.h"

#include <algorithm>

#include "DocumentExtent.h"
#include "IndentManager.h"
#include "InlineControlObj.h"
#include "SectionList.h"
#include "SectionPieces.h"

namespace htmlview {

using namespace section_pieces;

// Line breaking: a section laid out into lines at a width, and its narrowest and
// widest extent.

std::int32_t TSection::ClearHeight(std::int32_t y, const IndentManager& imgr) const {
  std::int32_t bottom = 0;
  switch (clear_) {
    case TClearType::None:
      return 0;
    case TClearType::Left:
      bottom = imgr.LeftFloatBottom();
      break;
    case TClearType::Right:
      bottom = imgr.RightFloatBottom();
      break;
    case TClearType::All:
      bottom = imgr.ImageBottom();
      break;
  }
  return std::max(0, bottom - y);
}

std::int32_t TSection::FitEnd(std::int32_t start, std::int32_t room) const {
  const std::string_view chars = Buffer();
  const TSpan<TFontObj> fonts = Fonts();
  TCanvas& canvas = Doc.Canvas();
  const auto len = static_cast<std::int32_t>(chars.size());
  std::int32_t used = 0;
  std::int32_t end = start;
  bool content = false;  // something other than a floating image
  ForEachPiece(
      Doc.RunStyles(), fonts, Marks(), RunAt(start, 0), start, len,
      [&](std::int32_t a, std::int32_t b, const TRunStyle& run) {
        // Measured in chunks no longer than the room left (a character takes at least a
        // pixel), so a long word is not measured whole for every line it fills.
        while (a < b) {
          const std::int32_t left = std::max(0, room - used);
          const std::int32_t chunk = std::min(b - a, left + 1);
          const std::string_view text = chars.substr(a, chunk);
          const std::int32_t fit = canvas.FitCount(run.Handle, text, left);
          if (fit < chunk) {
            end = a + fit;
            if (fit > 0) content = true;
            return false;
          }
          used += canvas.TextWidth(run.Handle, text);
          a += chunk;
          end = a;
          content = true;
        }
        return true;
      },
      [&](std::int32_t pos, const TRunStyle&) {
        // A float before any content opens the line and takes no room in it.
        const TImageObj* image = ImageAt(pos);
        if (image && image->IsFloating() && !content) {
          end = pos + 1;
          return true;
        }
        const std::int32_t width = MarkWidth(pos);
        if (content && used + width > room) return false;
        used += width;
        end = pos + 1;
        content = true;
        return true;
      });
  if (!content && end < len) ++end;  // at least one character
  return end;
}

std::int32_t TSection::BreakLine(std::int32_t start, std::int32_t fitEnd) const {
  const std::string_view chars = Buffer();
  const auto len = static_cast<std::int32_t>(chars.size());
  if (fitEnd >= len) return len;
  const auto at = [&](std::int32_t pos) { return chars[static_cast<std::size_t>(pos)]; };
  const auto spacesFrom = [&](std::int32_t pos) {
    while (pos < len && at(pos) == ' ') ++pos;
    return pos;
  };
  // Spaces need no room at the end of a line: they join it.
  if (at(fitEnd - 1) == ' ' || at(fitEnd) == ' ') return spacesFrom(fitEnd);
  if (at(fitEnd) == TBufferMark::Image || at(fitEnd) == TBufferMark::Control) return fitEnd;
  std::int32_t first = start;
  while (first < fitEnd && IsImageMark(at(first)) && ImageAt(first)->IsFloating()) ++first;
  for (std::int32_t pos = fitEnd - 1; pos >= first; --pos)
    if (IsBreakAfter(at(pos)) && pos + 1 > first) return pos + 1;
  // One word longer than the line: it stays whole, with the spaces after it.
  std::int32_t end = fitEnd;
  while (end < len && !IsBreakAfter(at(end))) ++end;
  return spacesFrom(end);
}

void TSection::PlaceFloat(TImageObj& image, std::int32_t y, IndentManager& imgr) {
  const std::int32_t width = image.ImageWidth + 2 * image.HSpace;
  const std::int32_t height = image.ImageHeight + 2 * image.VSpace;
  image.DrawY = y + image.VSpace;
  if (image.ObjAlign == TImageAlign::Left) {
    image.DrawX = imgr.LeftIndent(y) + image.HSpace;
    imgr.AddLeft(y, height, width);
  } else {
    image.DrawX = imgr.RightSide(y) - image.HSpace - image.ImageWidth;
    imgr.AddRight(y, height, width);
  }
}

void TSection::FinishLine(LineRec& line, IndentManager& imgr, std::int32_t& maxWidth) {
  const std::string_view chars = Buffer();
  const TSpan<TFontObj> fonts = Fonts();
  const std::int32_t end = line.Start + line.Ln;
  std::int32_t contentEnd = end;
  while (contentEnd > line.Start && chars[static_cast<std::size_t>(contentEnd - 1)] == ' ')
    --contentEnd;

  // Text height and descent from the runs of everything but floating images; inline
  // objects are placed at their x offsets as they are met.
  TCanvas& canvas = Doc.Canvas();
  std::int32_t width = 0;
  std::vector<TImageObj*> inlineImages;
  std::vector<TInlineControlObj*> lineControls;
  std::vector<TImageObj*> laterFloats;
  bool content = false;
  ForEachPiece(
      Doc.RunStyles(), fonts, Marks(), RunAt(line.Start, 0), line.Start, end,
      [&](std::int32_t a, std::int32_t b, const TRunStyle& run) {
        line.LineHt = std::max(line.LineHt, run.Metrics.Height);
        line.Descent = std::max(line.Descent, run.Metrics.Descent);
        width += canvas.TextWidth(run.Handle, chars.substr(a, b - a));
        content = true;
        return true;
      },
      [&](std::int32_t pos, const TRunStyle& run) {
        if (TImageObj* image = ImageAt(pos)) {
          if (image->IsFloating()) {
            if (content) laterFloats.push_back(image);
            return true;
          }
          image->DrawX = width + image->HSpace;
          width += image->ImageWidth + 2 * image->HSpace;
          inlineImages.push_back(image);
        } else if (TInlineControlObj* control = ControlAt(pos)) {
          if (control->TakesPlace()) width += control->Width();
          lineControls.push_back(control);
        }
        line.LineHt = std::max(line.LineHt, run.Metrics.Height);
        line.Descent = std::max(line.Descent, run.Metrics.Descent);
        content = true;
        return true;
      });
  // Trailing spaces take no room in the alignment.
  const std::int32_t contentWidth = contentEnd == end ? width : width - WidthOf(contentEnd, end);
  line.DrawWidth = width;

  // Room above and below the text for objects taller than it.
  const std::int32_t above = line.LineHt - line.Descent;  // text top to baseline
  const std::int32_t middle = line.LineHt - line.LineHt / 2;
  for (TImageObj* image : inlineImages) {
    const std::int32_t height = image->ImageHeight + 2 * image->VSpace;
    if (image->ObjAlign == TImageAlign::Bottom) {
      line.SpaceBefore = std::max(line.SpaceBefore, height - above);
    } else if (image->ObjAlign == TImageAlign::Middle) {
      line.SpaceBefore = std::max(line.SpaceBefore, height / 2 - middle);
      line.SpaceAfter = std::max(line.SpaceAfter, height - height / 2 - (line.LineHt - middle));
    }
  }
  for (TInlineControlObj* control : lineControls) {
    if (!control->TakesPlace()) continue;
    const std::int32_t raise = control->RaisedByDescent() ? line.Descent : 0;
    line.SpaceBefore = std::max(line.SpaceBefore, control->Height() + raise - line.LineHt);
  }
  for (TImageObj* image : inlineImages)
    if (image->ObjAlign == TImageAlign::Top)
      line.SpaceAfter = std::max(
          line.SpaceAfter, image->ImageHeight + 2 * image->VSpace - line.SpaceBefore - line.LineHt);

  // Horizontal place by the alignment.
  const std::int32_t left = imgr.LeftIndent(line.DrawY);
  const std::int32_t right = imgr.RightSide(line.DrawY);
  line.LineX = left;
  if (justify_ == TJustify::Centre)
    line.LineX = std::max(left, left + (right - left - contentWidth) / 2);
  else if (justify_ == TJustify::Right)
    line.LineX = std::max(left, right - contentWidth - 1);
  maxWidth = std::max(maxWidth, line.LineX + contentWidth);

  const std::int32_t textTop = line.DrawY + line.SpaceBefore;
  for (TImageObj* image : inlineImages) {
    image->DrawX += line.LineX;
    const std::int32_t height = image->ImageHeight + 2 * image->VSpace;
    std::int32_t top = line.DrawY;
    if (image->ObjAlign == TImageAlign::Bottom) top = textTop + above - height;
    if (image->ObjAlign == TImageAlign::Middle) top = textTop + middle - height / 2;
    image->DrawY = top + image->VSpace;
  }
  // Floats met after other content of the line go below it.
  for (TImageObj* image : laterFloats) PlaceFloat(*image, line.DrawY + line.Height(), imgr);
}

std::int32_t TSection::DrawLogic(std::int32_t y, IndentManager& imgr, std::int32_t& maxWidth,
                                 std::int32_t& curs) {
  const std::string_view chars = Buffer();
  YValue = y;
  StartCurs = curs;
  Len = static_cast<std::int32_t>(chars.size());
  curs += Len;
  std::vector<LineRec> lines = Doc.TakeLineBuffer();
  imgr.SetLevel(y, listLevel_, outsideList_);
  MeasureFonts();

  std::int32_t height = ClearHeight(y, imgr);
  if (!chars.empty()) {
    const std::int32_t left = imgr.LeftIndent(y);
    const std::int32_t available = imgr.RightSide(y) - left;
    for (auto& image : Images()) {
      image->Measure(available);
      maxWidth = std::max(maxWidth, left + image->ImageWidth + 2 * image->HSpace);
    }
    for (TInlineControlObj* control : Controls())
      maxWidth = std::max(maxWidth, left + control->Width());

    const auto len = static_cast<std::int32_t>(chars.size());
    std::int32_t pos = 0;
    while (pos < len) {
      LineRec line;
      line.Start = pos;
      line.DrawY = y + height;
      imgr.DropAbove(line.DrawY);  // floats of the lines above that have ended
      // Floats that open the line stand beside it already.
      std::int32_t first = pos;
      while (first < len && IsImageMark(chars[static_cast<std::size_t>(first)]) &&
             ImageAt(first)->IsFloating()) {
        PlaceFloat(*ImageAt(first), line.DrawY, imgr);
        ++first;
      }
      std::int32_t end = first;
      if (first < len) {
        const std::int32_t room =
            Wraps() ? imgr.RightSide(line.DrawY) - imgr.LeftIndent(line.DrawY) : kNoWrapWidth;
        end = Wraps() ? BreakLine(first, FitEnd(first, room)) : len;
      }
      line.Ln = end - pos;
      FinishLine(line, imgr, maxWidth);
      height = GrowWithinExtent(y, height, line.Height());
      lines.push_back(line);
      pos = end;
    }
  }
  lines_.assign(lines.begin(), lines.end());
  Doc.GiveLineBuffer(std::move(lines));
  SectionHeight = height;
  DrawHeight = std::max(SectionHeight, imgr.ImageBottom() - y);
  return SectionHeight;
}

void TSection::MinMaxWidth(std::int32_t& min, std::int32_t& max) const {
  const std::string_view chars = Buffer();
  const TSpan<TFontObj> fonts = Fonts();
  MeasureFonts();
  TCanvas& canvas = Doc.Canvas();
  const std::int32_t indent = (outsideList_ ? IndentManager::kOutsideListIndent : 0) +
                              (listLevel_ - (outsideList_ ? 1 : 0)) * IndentManager::kListIndent;
  std::int32_t line = 0;
  std::int32_t floats = 0;
  std::int32_t widest = 0;
  std::int32_t word = 0;
  const auto endWord = [&] {
    widest = std::max(widest, word);
    word = 0;
  };
  ForEachPiece(
      Doc.RunStyles(), fonts, Marks(), 0, 0, static_cast<std::int32_t>(chars.size()),
      [&](std::int32_t a, std::int32_t b, const TRunStyle& run) {
        const std::string_view text = chars.substr(a, b - a);
        line += canvas.TextWidth(run.Handle, text);
        std::size_t start = 0;
        while (start < text.size()) {
          const std::size_t space = text.find(' ', start);
          const std::size_t stop = space == std::string_view::npos ? text.size() : space;
          if (stop > start) word += canvas.TextWidth(run.Handle, text.substr(start, stop - start));
          if (space == std::string_view::npos) break;
          endWord();
          start = space + 1;
        }
        return true;
      },
      [&](std::int32_t pos, const TRunStyle&) {
        // Lines break beside marks, except in no-break text, where a mark is part of the
        // word around it.
        const bool inWord = !IsBreakAfter(chars[static_cast<std::size_t>(pos)]);
        if (!inWord) endWord();
        std::int32_t width = 0;
        if (TImageObj* image = ImageAt(pos)) {
          width = image->SizeFor(0).Width + 2 * image->HSpace;
          if (image->IsFloating()) {
            floats += width;
            return true;
          }
        } else if (TInlineControlObj* control = ControlAt(pos)) {
          width = control->TakesPlace() ? control->Width() : 0;
        }
        line += width;
        if (inWord)
          word += width;
        else
          widest = std::max(widest, width);
        return true;
      });
  endWord();
  max = line + floats + indent;
  min = widest + floats + indent;
}

}  // namespace htmlview
