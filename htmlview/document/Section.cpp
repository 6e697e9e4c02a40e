#include "Section.h"

#include <algorithm>

#include "DocumentExtent.h"
#include "IndentManager.h"
#include "InlineControlObj.h"
#include "SectionList.h"
#include "text/AsciiCase.h"

namespace {

constexpr std::int32_t kNoWrapWidth = 32000;

bool IsImageMark(char c) {
  return c == TBufferMark::Image || c == TBufferMark::ImageNoBreak;
}
bool IsControlMark(char c) {
  return c == TBufferMark::Control || c == TBufferMark::ControlNoBreak;
}
bool IsMark(char c) {
  return IsImageMark(c) || IsControlMark(c);
}
// Where a line may break after: spaces and the marks outside no-break text.
bool IsBreakAfter(char c) {
  return c == ' ' || c == TBufferMark::Image || c == TBufferMark::Control;
}
bool IsFoldedSpace(char c) {
  return c == ' ' || c == TBufferMark::NoBreakCode;
}

}  // namespace

TClearType ClearFromText(const std::string& text) {
  if (SameText(text, "left")) return TClearType::Left;
  if (SameText(text, "right")) return TClearType::Right;
  return TClearType::All;
}

TSection::TSection(TSectionList& doc, const TFontDesc& font, std::shared_ptr<TUrlTarget> link,
                   TJustify justify)
    : TSectionBase(doc), link_(std::move(link)), justify_(justify) {
  TFontObj first;
  first.Desc = font;
  first.UrlTarget = link_;
  fonts_.push_back(std::move(first));
}

TSection::~TSection() = default;

// ---- Building ----

void TSection::AppendChar(char ch, std::int32_t sourceIndex) {
  if (IsMark(ch)) marks_.push_back(static_cast<std::int32_t>(buff_.size()));
  buff_.push_back(ch);
  building_.push_back(sourceIndex);
}

void TSection::AddChar(char ch, std::int32_t sourceIndex) {
  if (finished_) return;
  AppendChar(ch, sourceIndex);
  onlyFloats_ = false;
}

void TSection::AddTokenObj(const TokenObj& token, bool noBreak) {
  if (finished_ || token.S.empty()) return;
  const std::string& s = token.S;
  const std::size_t n = std::min(s.size(), token.I.size());
  std::size_t first = 0;
  // One space between words: a leading space is dropped at the start of the section, after
  // a space, and while only floating images stand before it.
  if (!noBreak && s[0] == ' ' && (buff_.empty() || buff_.back() == ' ' || onlyFloats_)) first = 1;
  for (std::size_t k = first; k < n; ++k) {
    char ch = s[k];
    if (ch == TBufferMark::NoBreakCode) {
      // No-break text: a 5 next to a space or another 5 is dropped (the space, if any,
      // stays the break); a leading one after a space is too, and, like a space, at the
      // start of the section or after nothing but floats; the rest are no-break spaces.
      const bool leadingAfterSpace = k == first && (onlyFloats_ || buff_.back() == ' ' ||
                                                    buff_.back() == TBufferMark::NoBreakSpace);
      const bool besideSpace =
          (k > 0 && IsFoldedSpace(s[k - 1])) || (k + 1 < n && IsFoldedSpace(s[k + 1]));
      if (leadingAfterSpace || besideSpace) continue;
      ch = TBufferMark::NoBreakSpace;
    }
    AppendChar(ch, token.I[k]);
    onlyFloats_ = false;
  }
}

void TSection::AddText(std::string_view text, std::int32_t firstSourceIndex, bool noBreak) {
  TokenObj token;
  token.AddText(std::string(text), firstSourceIndex);
  AddTokenObj(token, noBreak);
}

void TSection::AddRun(const TFontDesc& font, TSubSuper mode, std::shared_ptr<TUrlTarget> link) {
  const auto end = static_cast<std::int32_t>(buff_.size());
  if (fonts_.back().Pos != end) {
    fonts_.emplace_back();
    fonts_.back().Pos = end;
  }
  TFontObj& run = fonts_.back();
  run.Desc = font;
  run.SScript = mode;
  run.UrlTarget = std::move(link);
}

void TSection::ChangeFont(const TFontDesc& font, TSubSuper mode) {
  if (!finished_) AddRun(font, mode, link_);
}

void TSection::StartLink(std::shared_ptr<TUrlTarget> link, const TFontDesc& font) {
  if (finished_) return;
  link_ = std::move(link);
  AddRun(font, TSubSuper::None, link_);
}

void TSection::EndLink(const TFontDesc& font) {
  if (finished_) return;
  link_ = nullptr;
  AddRun(font, TSubSuper::None, nullptr);
}

TImageObj* TSection::AddImage(const TAttributeList& attributes, std::int32_t sourceIndex,
                              bool noBreak) {
  if (finished_) return nullptr;
  auto image = std::make_unique<TImageObj>(Doc, attributes, link_);
  image->Pos = static_cast<std::int32_t>(buff_.size());
  AppendChar(noBreak ? TBufferMark::ImageNoBreak : TBufferMark::Image, sourceIndex);
  if (!image->IsFloating()) onlyFloats_ = false;
  images_.push_back(std::move(image));
  return images_.back().get();
}

void TSection::AddControl(TInlineControlObj& control, std::int32_t sourceIndex, bool noBreak) {
  if (finished_) return;
  control.Pos = static_cast<std::int32_t>(buff_.size());
  AppendChar(noBreak ? TBufferMark::ControlNoBreak : TBufferMark::Control, sourceIndex);
  onlyFloats_ = false;
  controls_.push_back(&control);
}

void TSection::SetListLevel(std::int32_t level) {
  listLevel_ = std::clamp(level, 0, IndentManager::kMaxListLevel);
}

bool TSection::Finish() {
  if (!finished_) {
    indexes_ = CompressIndexes(building_);
    building_ = std::vector<std::int32_t>();
    buff_.shrink_to_fit();
    finished_ = true;
  }
  Len = static_cast<std::int32_t>(buff_.size());
  return !buff_.empty() || anchor_ || clear_ != TClearType::None;
}

// ---- Lookups ----

std::size_t TSection::RunAt(std::int32_t pos, std::size_t hint) const {
  if (hint < fonts_.size() && fonts_[hint].Pos <= pos &&
      (hint + 1 == fonts_.size() || fonts_[hint + 1].Pos > pos))
    return hint;
  const auto after =
      std::upper_bound(fonts_.begin(), fonts_.end(), pos,
                       [](std::int32_t p, const TFontObj& run) { return p < run.Pos; });
  return after == fonts_.begin() ? 0 : static_cast<std::size_t>(after - fonts_.begin() - 1);
}

TImageObj* TSection::ImageAt(std::int32_t pos) const {
  const auto found = std::lower_bound(
      images_.begin(), images_.end(), pos,
      [](const std::unique_ptr<TImageObj>& image, std::int32_t p) { return image->Pos < p; });
  return found != images_.end() && (*found)->Pos == pos ? found->get() : nullptr;
}

TInlineControlObj* TSection::ControlAt(std::int32_t pos) const {
  const auto found = std::lower_bound(
      controls_.begin(), controls_.end(), pos,
      [](const TInlineControlObj* control, std::int32_t p) { return control->Pos < p; });
  return found != controls_.end() && (*found)->Pos == pos ? *found : nullptr;
}

std::int32_t TSection::MarkWidth(std::int32_t pos) const {
  if (const TImageObj* image = ImageAt(pos))
    return image->IsFloating() ? 0 : image->ImageWidth + 2 * image->HSpace;
  const TInlineControlObj* control = ControlAt(pos);
  return control && control->TakesPlace() ? control->Width() : 0;
}

void TSection::MeasureFonts() const {
  for (TFontObj& run : fonts_) run.Measure(Doc);
}

namespace {

// The pieces of [from, to) that are drawn or measured alike: runs of text in one font,
// and single marks. The marks are found from their positions, not by reading the text.
template <typename TText, typename TMark>
void ForEachPiece(const std::vector<TFontObj>& fonts, const std::vector<std::int32_t>& marks,
                  std::size_t run, std::int32_t from, std::int32_t to, TText onText, TMark onMark) {
  auto mark = std::lower_bound(marks.begin(), marks.end(), from);
  std::int32_t pos = from;
  while (pos < to) {
    while (run + 1 < fonts.size() && fonts[run + 1].Pos <= pos) ++run;
    if (mark != marks.end() && *mark == pos) {
      if (!onMark(pos, fonts[run])) return;
      ++mark;
      ++pos;
      continue;
    }
    std::int32_t end = to;
    if (run + 1 < fonts.size()) end = std::min(end, fonts[run + 1].Pos);
    if (mark != marks.end()) end = std::min(end, *mark);
    if (!onText(pos, end, fonts[run])) return;
    pos = end;
  }
}

}  // namespace

std::int32_t TSection::WidthOf(std::int32_t from, std::int32_t to) const {
  TCanvas& canvas = Doc.Canvas();
  std::int32_t width = 0;
  ForEachPiece(
      fonts_, marks_, RunAt(from, 0), from, to,
      [&](std::int32_t a, std::int32_t b, const TFontObj& run) {
        width += canvas.TextWidth(run.Handle, std::string_view(buff_).substr(a, b - a));
        return true;
      },
      [&](std::int32_t pos, const TFontObj&) {
        width += MarkWidth(pos);
        return true;
      });
  return width;
}

// ---- Layout ----

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
  TCanvas& canvas = Doc.Canvas();
  const auto len = static_cast<std::int32_t>(buff_.size());
  std::int32_t used = 0;
  std::int32_t end = start;
  bool content = false;  // something other than a floating image
  ForEachPiece(
      fonts_, marks_, RunAt(start, 0), start, len,
      [&](std::int32_t a, std::int32_t b, const TFontObj& run) {
        // Measured in chunks no longer than the room left (a character takes at least a
        // pixel), so a long word is not measured whole for every line it fills.
        while (a < b) {
          const std::int32_t left = std::max(0, room - used);
          const std::int32_t chunk = std::min(b - a, left + 1);
          const std::string_view text = std::string_view(buff_).substr(a, chunk);
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
      [&](std::int32_t pos, const TFontObj&) {
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
  const auto len = static_cast<std::int32_t>(buff_.size());
  if (fitEnd >= len) return len;
  const auto at = [&](std::int32_t pos) { return buff_[static_cast<std::size_t>(pos)]; };
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
  const std::int32_t end = line.Start + line.Ln;
  std::int32_t contentEnd = end;
  while (contentEnd > line.Start && buff_[static_cast<std::size_t>(contentEnd - 1)] == ' ')
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
      fonts_, marks_, RunAt(line.Start, 0), line.Start, end,
      [&](std::int32_t a, std::int32_t b, const TFontObj& run) {
        line.LineHt = std::max(line.LineHt, run.Metrics.Height);
        line.Descent = std::max(line.Descent, run.Metrics.Descent);
        width += canvas.TextWidth(run.Handle, std::string_view(buff_).substr(a, b - a));
        content = true;
        return true;
      },
      [&](std::int32_t pos, const TFontObj& run) {
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
  YValue = y;
  StartCurs = curs;
  Len = static_cast<std::int32_t>(buff_.size());
  curs += Len;
  lines_.clear();
  imgr.SetLevel(y, listLevel_, outsideList_);
  MeasureFonts();

  std::int32_t height = ClearHeight(y, imgr);
  if (!buff_.empty()) {
    const std::int32_t left = imgr.LeftIndent(y);
    const std::int32_t available = imgr.RightSide(y) - left;
    for (auto& image : images_) {
      image->Measure(available);
      maxWidth = std::max(maxWidth, left + image->ImageWidth + 2 * image->HSpace);
    }
    for (TInlineControlObj* control : controls_)
      maxWidth = std::max(maxWidth, left + control->Width());

    const auto len = static_cast<std::int32_t>(buff_.size());
    std::int32_t pos = 0;
    while (pos < len) {
      LineRec line;
      line.Start = pos;
      line.DrawY = y + height;
      imgr.DropAbove(line.DrawY);  // floats of the lines above that have ended
      // Floats that open the line stand beside it already.
      std::int32_t first = pos;
      while (first < len && IsImageMark(buff_[static_cast<std::size_t>(first)]) &&
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
      lines_.push_back(line);
      pos = end;
    }
  }
  SectionHeight = height;
  DrawHeight = std::max(SectionHeight, imgr.ImageBottom() - y);
  return SectionHeight;
}

// ---- Drawing ----

void TSection::DrawText(std::int32_t from, std::int32_t to, std::int32_t x, std::int32_t baseline) {
  TCanvas& canvas = Doc.Canvas();
  const std::int32_t selB = Doc.SelB - StartCurs;
  const std::int32_t selE = Doc.SelE - StartCurs;
  std::string text;
  ForEachPiece(
      fonts_, marks_, RunAt(from, 0), from, to,
      [&](std::int32_t a, std::int32_t b, const TFontObj& run) {
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
          text.assign(buff_, static_cast<std::size_t>(a), static_cast<std::size_t>(stop - a));
          std::replace(text.begin(), text.end(), TBufferMark::NoBreakSpace, ' ');
          const TTextPaint paint = selected ? TTextPaint{Doc.Background, true, color}
                                            : TTextPaint{color, false, Doc.Background};
          canvas.TextOut(x, base, run.Handle, text, paint);
          x += canvas.TextWidth(run.Handle, text);
          a = stop;
        }
        return true;
      },
      [&](std::int32_t pos, const TFontObj&) {
        x += MarkWidth(pos);
        return true;
      });
}

void TSection::DrawLine(const LineRec& line, std::int32_t x, std::int32_t clipWidth) {
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
  for (auto mark = std::lower_bound(marks_.begin(), marks_.end(), line.Start);
       mark != marks_.end() && *mark < end; ++mark) {
    const std::int32_t pos = *mark;
    const char ch = buff_[static_cast<std::size_t>(pos)];
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
  for (auto& image : images_)
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

// ---- Hit-tests ----

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
  TCanvas& canvas = Doc.Canvas();
  inText = false;
  if (x < line.LineX) return line.Start;
  std::int32_t cx = line.LineX;
  std::int32_t result = line.Start + line.Ln;
  ForEachPiece(
      fonts_, marks_, RunAt(line.Start, 0), line.Start, line.Start + line.Ln,
      [&](std::int32_t a, std::int32_t b, const TFontObj& run) {
        const std::string_view text = std::string_view(buff_).substr(a, b - a);
        const std::int32_t width = canvas.TextWidth(run.Handle, text);
        if (x < cx + width) {
          result = a + canvas.FitCount(run.Handle, text, x - cx);
          inText = true;
          return false;
        }
        cx += width;
        return true;
      },
      [&](std::int32_t pos, const TFontObj&) {
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
  for (const auto& image : images_) {
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
  if (!inText || IsMark(buff_[static_cast<std::size_t>(pos)])) return false;
  const TFontObj& run = fonts_[RunAt(pos, 0)];
  if (!run.IsLink()) return false;
  hit.Link = run.UrlTarget;
  return true;
}

bool TSection::PtInObject(std::int32_t x, std::int32_t y, TImageHit& hit) const {
  for (const auto& image : images_) {
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
  if (lines_.empty()) return -1;
  std::int32_t index = LineIndexAtY(y);
  if (index < 0)
    index = y < lines_.front().DrawY ? 0 : static_cast<std::int32_t>(lines_.size()) - 1;
  const LineRec& line = lines_[static_cast<std::size_t>(index)];
  bool inText = false;
  std::int32_t pos = PosAtX(line, x, inText);
  // Beside the end of a line that wrapped, the caret stays before the break's spaces.
  if (!inText && pos == line.Start + line.Ln && pos < Len) {
    while (pos > line.Start && buff_[static_cast<std::size_t>(pos - 1)] == ' ') --pos;
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
  const std::int32_t at = pos - StartCurs;
  if (at < 0 || at >= Len) return false;
  ch = buff_[static_cast<std::size_t>(at)];
  return true;
}

std::int32_t TSection::FindString(std::int32_t from, const std::string& text,
                                  bool matchCase) const {
  if (text.empty()) return -1;
  const std::int32_t start = std::max(0, from - StartCurs);
  if (start >= Len) return -1;
  const auto fold = [matchCase](char c) {
    const char plain = c == TBufferMark::NoBreakSpace ? ' ' : c;
    return matchCase ? plain : LowerChar(plain);
  };
  const auto found = std::search(buff_.begin() + start, buff_.end(), text.begin(), text.end(),
                                 [&](char a, char b) { return fold(a) == fold(b); });
  return found == buff_.end() ? -1 : StartCurs + static_cast<std::int32_t>(found - buff_.begin());
}

std::int32_t TSection::FindSourcePos(std::int32_t docPos) const {
  const std::int32_t pos = docPos - StartCurs;
  if (pos < 0 || pos >= Len) return -1;
  return SourceIndexAt(indexes_, pos);
}

std::int32_t TSection::FindDocPos(std::int32_t sourcePos, bool prev) const {
  const std::int32_t pos = PositionOfSource(indexes_, Len, sourcePos, prev);
  return pos < 0 ? -1 : StartCurs + pos;
}

void TSection::CopyToClipboard(std::string& text) const {
  const std::int32_t from = std::max(Doc.SelB - StartCurs, 0);
  const std::int32_t to = std::min(Doc.SelE - StartCurs, Len);
  if (from >= to && !(Len == 0 && Doc.SelB <= StartCurs && Doc.SelE > StartCurs)) return;
  for (std::int32_t pos = from; pos < to; ++pos) {
    const char ch = buff_[static_cast<std::size_t>(pos)];
    if (IsMark(ch)) continue;
    text += ch == TBufferMark::NoBreakSpace ? ' ' : ch;
  }
  // The selection goes on past the end: the section ends its line.
  if (Doc.SelE > StartCurs + Len) text += "\r\n";
}

void TSection::UpdateFonts() {
  MeasureFonts();
}

void TSection::MinMaxWidth(std::int32_t& min, std::int32_t& max) const {
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
      fonts_, marks_, 0, 0, static_cast<std::int32_t>(buff_.size()),
      [&](std::int32_t a, std::int32_t b, const TFontObj& run) {
        const std::string_view text = std::string_view(buff_).substr(a, b - a);
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
      [&](std::int32_t pos, const TFontObj&) {
        // Lines break beside marks, except in no-break text, where a mark is part of the
        // word around it.
        const bool inWord = !IsBreakAfter(buff_[static_cast<std::size_t>(pos)]);
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

void TSection::ShiftY(std::int32_t dy) {
  TSectionBase::ShiftY(dy);
  for (LineRec& line : lines_) line.DrawY += dy;
  for (auto& image : images_) image->DrawY += dy;
}

void TSection::HideControls(bool offScreen) {
  for (TInlineControlObj* control : controls_) control->HideAfterLayout(offScreen);
}

void TSection::Dump(std::string& out, int indent) const {
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
      const char ch = buff_[static_cast<std::size_t>(pos)];
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
  for (const auto& image : images_) {
    static const char* const kAlign[] = {"top", "middle", "bottom", "left", "right"};
    out += pad + "image x=" + std::to_string(image->DrawX) + " y=" + std::to_string(image->DrawY) +
           " w=" + std::to_string(image->ImageWidth) + " h=" + std::to_string(image->ImageHeight) +
           " align=" + kAlign[static_cast<int>(image->ObjAlign)] + '\n';
  }
}

// ---- Preformatted lines ----

void TPreFormated::AddChar(char ch, std::int32_t sourceIndex) {
  if (Buffer().size() <= kMaxLength) TSection::AddChar(ch, sourceIndex);
}

void TPreFormated::AddTokenObj(const TokenObj& token, bool /*noBreak*/) {
  // Spaces are kept as they stand.
  if (Buffer().size() > kMaxLength) return;
  const std::size_t n = std::min(token.S.size(), token.I.size());
  for (std::size_t k = 0; k < n; ++k) TSection::AddChar(token.S[k], token.I[k]);
}

bool TPreFormated::Finish() {
  TSection::Finish();
  return true;
}

std::int32_t TPreFormated::DrawLogic(std::int32_t y, IndentManager& imgr, std::int32_t& maxWidth,
                                     std::int32_t& curs) {
  TSection::DrawLogic(y, imgr, maxWidth, curs);
  if (IsEmpty()) {
    // An empty line is as tall as its font's size in points, taken as pixels.
    SectionHeight += ResolveFont(FirstFont().Desc, TSubSuper::None, Doc).SizePt;
    DrawHeight = std::max(DrawHeight, SectionHeight);
  }
  return SectionHeight;
}

void TPreFormated::MinMaxWidth(std::int32_t& min, std::int32_t& max) const {
  TSection::MinMaxWidth(min, max);
  min = std::min(max, kMaxMinWidth);
}
