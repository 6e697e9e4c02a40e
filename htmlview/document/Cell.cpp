#include "Cell.h"

#include <algorithm>

#include "DocumentExtent.h"
#include "ProcessingError.h"
#include "SectionList.h"

namespace htmlview {

TCell::TCell(TSectionList& doc) : doc_(doc) {}

TCell::~TCell() = default;

void TCell::Add(std::unique_ptr<TSectionBase> section) {
  if (section && section->Finish()) sections_.push_back(std::move(section));
}

void TCell::ClearSections() {
  sections_.clear();
  reach_.clear();
  reachSections_ = 0;
  cellHeight_ = 0;
}

std::int32_t TCell::DoLogic(std::int32_t y, std::int32_t width, std::int32_t& widest,
                            std::int32_t& curs) {
  IndentManager imgr;
  return DoLogic(y, width, widest, curs, imgr);
}

std::int32_t TCell::DoLogic(std::int32_t y, std::int32_t width, std::int32_t& widest,
                            std::int32_t& curs, IndentManager& imgr) {
  firstCurs_ = curs;
  imgr.Reset(0, width);
  top_ = y;
  std::int32_t height = 0;
  bool dropped = false;
  for (auto& section : sections_) {
    // Nothing below can be affected by what ends above this section.
    imgr.DropAbove(y + height);
    try {
      height = GrowWithinExtent(y, height, section->DrawLogic(y + height, imgr, widest, curs));
    } catch (const EProcessingError& error) {
      if (doc_.OnProcessingError) doc_.OnProcessingError(error.what());
      doc_.KeepDropped(std::move(section));
      dropped = true;
    }
  }
  if (dropped)
    sections_.erase(std::remove(sections_.begin(), sections_.end(), nullptr), sections_.end());
  cellHeight_ = std::max(height, imgr.ImageBottom() - y);
  ComputeReach();
  return cellHeight_;
}

namespace {

// Cells of at most this many sections work their reach out when asked.
constexpr std::size_t kScannedSections = 8;

// The lowest bottom so far, `lowest`, with the section's own, drawn height included.
std::int32_t Reach(const TSectionBase& section, std::int32_t lowest) {
  return std::max(lowest, section.YValue + std::max(section.SectionHeight, section.DrawHeight));
}

}  // namespace

void TCell::ComputeReach() {
  reachSections_ = static_cast<std::uint32_t>(sections_.size());
  if (sections_.size() <= kScannedSections) {
    reach_ = std::vector<std::int32_t>();
    return;
  }
  reach_.resize(sections_.size());
  std::int32_t lowest = top_;
  for (std::size_t n = 0; n < sections_.size(); ++n)
    reach_[n] = lowest = Reach(*sections_[n], lowest);
}

std::size_t TCell::FirstSectionReaching(std::int32_t y) const {
  if (reach_.empty()) {
    const std::size_t count = std::min<std::size_t>(reachSections_, sections_.size());
    std::int32_t lowest = top_;
    for (std::size_t n = 0; n < count; ++n)
      if ((lowest = Reach(*sections_[n], lowest)) > y) return n;
    return count;
  }
  return static_cast<std::size_t>(std::upper_bound(reach_.begin(), reach_.end(), y) -
                                  reach_.begin());
}

std::int32_t TCell::Draw(const TRect& clip, std::int32_t clipWidth, std::int32_t x,
                         std::int32_t /*y*/) {
  // Form controls drawn in this cell (radio buttons' panels) take its colour.
  const std::optional<TColor> outerBackground = doc_.CellBackground;
  if (Background) doc_.CellBackground = Background;
  // Sections above and below the clip are not visited.
  for (std::size_t n = FirstSectionReaching(clip.Top);
       n < sections_.size() && sections_[n]->YValue < clip.Bottom; ++n)
    sections_[n]->Draw(clip, clipWidth, x, sections_[n]->YValue);
  doc_.CellBackground = outerBackground;
  return top_ + cellHeight_;
}

template <typename TTest>
bool TCell::AnySectionAt(std::int32_t y, TTest test) const {
  for (std::size_t n = FirstSectionReaching(y); n < sections_.size() && sections_[n]->YValue <= y;
       ++n)
    if (test(*sections_[n])) return true;
  return false;
}

bool TCell::GetURL(std::int32_t x, std::int32_t y, TLinkHit& hit) const {
  return AnySectionAt(y, [&](const TSectionBase& section) { return section.GetURL(x, y, hit); });
}

bool TCell::PtInObject(std::int32_t x, std::int32_t y, TImageHit& hit) const {
  return AnySectionAt(y,
                      [&](const TSectionBase& section) { return section.PtInObject(x, y, hit); });
}

std::int32_t TCell::FindCursor(std::int32_t x, std::int32_t y, TCursorHit& hit) const {
  const std::int32_t n = SectionAtY(y);
  if (n < 0) return -1;
  return sections_[static_cast<std::size_t>(n)]->FindCursor(x, y, hit);
}

std::int32_t TCell::FindString(std::int32_t from, const std::string& text, bool matchCase) const {
  for (const auto& section : sections_) {
    if (section->StartCurs + section->Len <= from && section->Len > 0) continue;
    const std::int32_t found = section->FindString(from, text, matchCase);
    if (found >= 0) return found;
  }
  return -1;
}

const TSectionBase* TCell::SectionHolding(std::int32_t pos) const {
  // Sections hold ascending runs of the document's indexes; empty ones share their
  // successor's start, so the last section that starts at or before pos holds it.
  const auto after =
      std::upper_bound(sections_.begin(), sections_.end(), pos,
                       [](std::int32_t p, const std::unique_ptr<TSectionBase>& section) {
                         return p < section->StartCurs;
                       });
  if (after == sections_.begin()) return nullptr;
  return (after - 1)->get();
}

std::int32_t TCell::FindSourcePos(std::int32_t docPos) const {
  const TSectionBase* section = SectionHolding(docPos);
  return section ? section->FindSourcePos(docPos) : -1;
}

std::int32_t TCell::FindDocPos(std::int32_t sourcePos, bool prev) const {
  if (prev) {
    for (auto section = sections_.rbegin(); section != sections_.rend(); ++section) {
      const std::int32_t found = (*section)->FindDocPos(sourcePos, true);
      if (found >= 0) return found;
    }
    return -1;
  }
  for (const auto& section : sections_) {
    const std::int32_t found = section->FindDocPos(sourcePos, false);
    if (found >= 0) return found;
  }
  return -1;
}

bool TCell::CursorToXY(std::int32_t cursor, std::int32_t& x, std::int32_t& y) const {
  // The section that holds the character; the end of a section only when none does.
  bool atEnd = false;
  for (const auto& section : sections_) {
    std::int32_t sx = 0;
    std::int32_t sy = 0;
    if (!section->CursorToXY(cursor, sx, sy)) continue;
    if (atEnd && cursor >= section->StartCurs + section->Len) continue;
    x = sx;
    y = sy;
    if (cursor < section->StartCurs + section->Len) return true;
    atEnd = true;
  }
  return atEnd;
}

bool TCell::GetChAtPos(std::int32_t pos, char& ch) const {
  const TSectionBase* section = SectionHolding(pos);
  return section && section->GetChAtPos(pos, ch);
}

void TCell::CopyToClipboard(std::string& text) const {
  for (const auto& section : sections_) section->CopyToClipboard(text);
}

void TCell::UpdateFonts() {
  for (auto& section : sections_) section->UpdateFonts();
}

void TCell::MinMaxWidth(std::int32_t& min, std::int32_t& max) const {
  min = 0;
  max = 0;
  for (const auto& section : sections_) {
    std::int32_t sectionMin = 0;
    std::int32_t sectionMax = 0;
    section->MinMaxWidth(sectionMin, sectionMax);
    min = std::max(min, sectionMin);
    max = std::max(max, sectionMax);
  }
}

void TCell::ShiftY(std::int32_t dy) {
  top_ += dy;
  for (auto& section : sections_) section->ShiftY(dy);
  for (std::int32_t& reach : reach_) reach += dy;
}

void TCell::HideControls(bool offScreen) {
  for (auto& section : sections_) section->HideControls(offScreen);
}

void TCell::Dump(std::string& out, int indent) const {
  for (const auto& section : sections_) section->Dump(out, indent);
}

std::int32_t TCell::SectionAtY(std::int32_t y) const {
  // Section bottoms ascend: the first one below y holds it if its top is not below y.
  const auto found =
      std::upper_bound(sections_.begin(), sections_.end(), y,
                       [](std::int32_t v, const std::unique_ptr<TSectionBase>& section) {
                         return v < section->YValue + section->SectionHeight;
                       });
  if (found == sections_.end() || (*found)->YValue > y) return -1;
  return static_cast<std::int32_t>(found - sections_.begin());
}

std::int32_t TCell::SectionTop(std::size_t n) const {
  std::int32_t top = 0;
  for (std::size_t k = 0; k < n && k < sections_.size(); ++k) top += sections_[k]->SectionHeight;
  return top;
}

}  // namespace htmlview
