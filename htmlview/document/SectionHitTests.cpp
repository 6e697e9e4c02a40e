#include "Section.h"

#include <algorithm>

#include "InlineControlObj.h"
#include "SectionList.h"
#include "SectionPieces.h"
#include "text/AsciiCase.h"

namespace htmlview {

using namespace section_pieces;

// What lies at a point, the caret's place of an index, and the text: found through the
// lines.

std::int32_t TSection::LineIndexAtY(std::int32_t y) const {
  const auto line = std::upper_bound(lines_.begin(), lines_.end(), y,
                                     [](std::int32_t v, const LineRec& l) { return v < l.DrawY; });
  if (line == lines_.begin()) return -1;
  const LineRec& found = *(line - 1);
  return y < found.DrawY + found.Height() ? static_cast<std::int32_t>(line - lines_.begin() - 1)
                                          : -1;
}

std::int32_t TSection::LineIndexOfPos(std::int32_t pos) const {
  const auto line = std::upper_bound(lines_.begin(), lines_.end(), pos,
                                     [](std::int32_t p, const LineRec& l) { return p < l.Start; });
  if (line == lines_.begin()) return -1;
  return static_cast<std::int32_t>(line - lines_.begin() - 1);
}

std::int32_t TSection::XOfPos(const LineRec& line, std::int32_t pos) const {
  return line.LineX + WidthOf(line.Start, std::clamp(pos, line.Start, line.Start + line.Ln));
}

std::int32_t TSection::PosAtX(const LineRec& line, std::int32_t x, bool& inText) const {
  const std::string_view chars = Buffer();
  const TSpan<TFontObj> fonts = Fonts();
  TCanvas& canvas = Doc.Canvas();
  inText = false;
  if (x < line.LineX) return line.Start;
  std::int32_t cx = line.LineX;
  std::int32_t result = line.Start + line.Ln;
  ForEachPiece(
      Doc.RunStyles(), fonts, Marks(), RunAt(line.Start, 0), line.Start, line.Start + line.Ln,
      [&](std::int32_t a, std::int32_t b, const TRunStyle& run) {
        const std::string_view text = chars.substr(a, b - a);
        const std::int32_t width = canvas.TextWidth(run.Handle, text);
        if (x < cx + width) {
          result = a + canvas.FitCount(run.Handle, text, x - cx);
          inText = true;
          return false;
        }
        cx += width;
        return true;
      },
      [&](std::int32_t pos, const TRunStyle&) {
        const std::int32_t width = MarkWidth(pos);
        if (x < cx + width) {
          result = pos;
          inText = true;
          return false;
        }
        cx += width;
        return true;
      });
  return result;
}

bool TSection::GetURL(std::int32_t x, std::int32_t y, TLinkHit& hit) const {
  const std::string_view chars = Buffer();
  const TSpan<TFontObj> fonts = Fonts();
  for (const auto& image : Images()) {
    if (x < image->DrawX || x >= image->DrawX + image->ImageWidth || y < image->DrawY ||
        y >= image->DrawY + image->ImageHeight)
      continue;
    const std::int32_t border = image->HasBorder() ? 1 : 0;
    const std::int32_t ix = x - image->DrawX - border;
    const std::int32_t iy = y - image->DrawY - border;
    if (image->FormControl) {
      hit.FormControl = image->FormControl;
      return true;
    }
    if (!image->UseMap.empty() && Doc.FindMapArea) {
      TUrlTarget area;
      if (!Doc.FindMapArea(image->UseMap, ix, iy, area)) return false;
      hit.Link = std::make_shared<TUrlTarget>(std::move(area));
      return true;
    }
    if (!image->Link) return false;
    if (image->IsMap) {
      auto link = std::make_shared<TUrlTarget>(*image->Link);
      link->Url += "?" + std::to_string(ix) + "," + std::to_string(iy);
      hit.Link = std::move(link);
    } else {
      hit.Link = image->Link;
    }
    return true;
  }
  const std::int32_t index = LineIndexAtY(y);
  if (index < 0) return false;
  const LineRec& line = lines_[static_cast<std::size_t>(index)];
  bool inText = false;
  const std::int32_t pos = PosAtX(line, x, inText);
  if (!inText || IsMark(chars[static_cast<std::size_t>(pos)])) return false;
  const TRunStyle& run = StyleOf(fonts[RunAt(pos, 0)]);
  if (!run.IsLink()) return false;
  hit.Link = run.UrlTarget;
  return true;
}

bool TSection::PtInObject(std::int32_t x, std::int32_t y, TImageHit& hit) const {
  for (const auto& image : Images()) {
    if (x >= image->DrawX && x < image->DrawX + image->ImageWidth && y >= image->DrawY &&
        y < image->DrawY + image->ImageHeight) {
      hit.Image = image.get();
      hit.X = x - image->DrawX;
      hit.Y = y - image->DrawY;
      return true;
    }
  }
  return false;
}

std::int32_t TSection::FindCursor(std::int32_t x, std::int32_t y, TCursorHit& hit) const {
  const std::string_view chars = Buffer();
  if (lines_.empty()) return -1;
  std::int32_t index = LineIndexAtY(y);
  if (index < 0)
    index = y < lines_.front().DrawY ? 0 : static_cast<std::int32_t>(lines_.size()) - 1;
  const LineRec& line = lines_[static_cast<std::size_t>(index)];
  bool inText = false;
  std::int32_t pos = PosAtX(line, x, inText);
  // Beside the end of a line that wrapped, the caret stays before the break's spaces.
  if (!inText && pos == line.Start + line.Ln && pos < Len) {
    while (pos > line.Start && chars[static_cast<std::size_t>(pos - 1)] == ' ') --pos;
  }
  hit.Index = StartCurs + pos;
  hit.InText = inText;
  hit.X = XOfPos(line, pos);
  hit.Y = line.DrawY + line.SpaceBefore;
  hit.Height = line.LineHt;
  return hit.Index;
}

bool TSection::CursorToXY(std::int32_t cursor, std::int32_t& x, std::int32_t& y) const {
  const std::int32_t pos = cursor - StartCurs;
  if (pos < 0 || pos > Len || lines_.empty()) return false;
  const std::int32_t index = LineIndexOfPos(pos);
  if (index < 0) return false;
  const LineRec& line = lines_[static_cast<std::size_t>(index)];
  x = XOfPos(line, pos);
  y = line.DrawY + line.SpaceBefore;
  return true;
}

bool TSection::GetChAtPos(std::int32_t pos, char& ch) const {
  const std::string_view chars = Buffer();
  const std::int32_t at = pos - StartCurs;
  if (at < 0 || at >= Len) return false;
  ch = chars[static_cast<std::size_t>(at)];
  return true;
}

std::int32_t TSection::FindString(std::int32_t from, const std::string& text,
                                  bool matchCase) const {
  if (text.empty()) return -1;
  const std::string_view chars = Buffer();
  const std::int32_t start = std::max(0, from - StartCurs);
  if (start >= Len) return -1;
  const auto fold = [matchCase](char c) {
    const char plain = c == TBufferMark::NoBreakSpace ? ' ' : c;
    return matchCase ? plain : LowerChar(plain);
  };
  const auto found = std::search(chars.begin() + start, chars.end(), text.begin(), text.end(),
                                 [&](char a, char b) { return fold(a) == fold(b); });
  return found == chars.end() ? -1 : StartCurs + static_cast<std::int32_t>(found - chars.begin());
}

std::int32_t TSection::FindSourcePos(std::int32_t docPos) const {
  const std::int32_t pos = docPos - StartCurs;
  if (pos < 0 || pos >= Len) return -1;
  return SourceIndexAt(packed_.Indexes(), pos);
}

std::int32_t TSection::FindDocPos(std::int32_t sourcePos, bool prev) const {
  const std::int32_t pos = PositionOfSource(packed_.Indexes(), Len, sourcePos, prev);
  return pos < 0 ? -1 : StartCurs + pos;
}

void TSection::CopyToClipboard(std::string& text) const {
  const std::string_view chars = Buffer();
  const std::int32_t from = std::max(Doc.SelB - StartCurs, 0);
  const std::int32_t to = std::min(Doc.SelE - StartCurs, Len);
  if (from >= to && !(Len == 0 && Doc.SelB <= StartCurs && Doc.SelE > StartCurs)) return;
  for (std::int32_t pos = from; pos < to; ++pos) {
    const char ch = chars[static_cast<std::size_t>(pos)];
    if (IsMark(ch)) continue;
    text += ch == TBufferMark::NoBreakSpace ? ' ' : ch;
  }
  // The selection goes on past the end: the section ends its line.
  if (Doc.SelE > StartCurs + Len) text += "\r\n";
}

}  // namespace htmlview
