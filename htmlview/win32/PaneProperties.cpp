// The control's properties: each applies its own rule and lays out or repaints the
// document as far as it needs.
#include <algorithm>

#include "document/SectionList.h"
#include "images/ImageCache.h"
#include "text/AsciiCase.h"
#include "win32/PaneWindows.h"

namespace htmlview {

namespace {
constexpr int kMaxMargin = 200;
constexpr int kMinFontSize = 6;
}  // namespace

TColor ResolvePaneColor(TPaneColor color) {
  if (color == clNone) return ::GetSysColor(COLOR_WINDOW);
  if (color & 0x80000000) return ::GetSysColor(static_cast<int>(color & 0xFF));
  return color & 0xFFFFFF;
}

void THtmlPane::SetDefBackground(TPaneColor value) {
  if (processing_) return;
  defBackground_ = value;
  document_->Background = ResolvePaneColor(value);
  background_ = document_->Background;
  InvalidatePanel();
}

void THtmlPane::SetBorderStyle(THTMLBorderStyle value) {
  borderStyle_ = value;
  ArrangeBars();
  DrawBorder();
}

void THtmlPane::SetHistoryMaxCount(int value) {
  if (history_.SetMaxCount(value) && OnHistoryChange) OnHistoryChange(*this);
}

void THtmlPane::SetDefFontName(const std::string& value) {
  if (SameText(value, defFontName_)) return;
  defFontName_ = value;
  RefontAndRelayout(true);
}

void THtmlPane::SetDefPreFontName(const std::string& value) {
  if (SameText(value, defPreFontName_)) return;
  defPreFontName_ = value;
  RefontAndRelayout(true);
}

void THtmlPane::SetDefFontSize(int value) {
  defFontSize_ = std::max(value, kMinFontSize);
  RefontAndRelayout(true);
}

void THtmlPane::SetDefFontColor(TPaneColor value) {
  defFontColor_ = value;
  RefontAndRelayout(false);
}

void THtmlPane::SetDefHotSpotColor(TPaneColor value) {
  defHotSpotColor_ = value;
  RefontAndRelayout(false);
}

void THtmlPane::SetDefVisitedLinkColor(TPaneColor value) {
  defVisitedLinkColor_ = value;
  RefontAndRelayout(false);
}

void THtmlPane::SetDefOverLinkColor(TPaneColor value) {
  defOverLinkColor_ = value;
  RefontAndRelayout(false);
}

void THtmlPane::SetVisitedMaxCount(int value) {
  visited_.SetMaxCount(value);
  MarkVisitedLinks();
  InvalidatePanel();
}

int THtmlPane::ImageCacheCount() const {
  return imageCacheCount_;
}

void THtmlPane::SetImageCacheCount(int value) {
  imageCacheCount_ = std::clamp(value, 0, TStringBitmapList::kMaxCacheCount);
  SharedImageCache().SetCacheCount(imageCacheCount_);
}

void THtmlPane::SetNoSelect(bool value) {
  noSelect_ = value;
  if (value) {
    SetSelection(0, 0);
    InvalidatePanel();
  }
}

void THtmlPane::SetScrollBars(TScrollStyle value) {
  if (value == scrollBars_) return;
  scrollBars_ = value;
  if (!Handle()) return;
  SetProcessing(true);
  try {
    DoLayout();
  } catch (...) {
    SetProcessing(false);
    throw;
  }
  SetProcessing(false);
  InvalidatePanel();
}

void THtmlPane::SetCharSet(std::uint8_t value) {
  charSet_ = value;
  RefontAndRelayout(true);
}

void THtmlPane::SetMarginHeight(int value) {
  if (value == marginHeight_ || processing_ || value < 0) return;
  marginHeight_ = vMargin_ = std::min(value, kMaxMargin);
  RelayoutDocument();
}

void THtmlPane::SetMarginWidth(int value) {
  if (value == marginWidth_ || processing_ || value < 0) return;
  marginWidth_ = hMargin_ = std::min(value, kMaxMargin);
  RelayoutDocument();
}

void THtmlPane::SetServerRoot(const std::string& value) {
  serverRoot_ = NormaliseServerRoot(value);
}

void THtmlPane::SetHtOptions(THtmlPaneOptions value) {
  options_ = value;
  ApplyDefaults();
  ArrangeBars();
  InvalidatePanel();
}

// The document's defaults from the properties.
void THtmlPane::ApplyDefaults() {
  TSectionList& doc = *document_;
  doc.SetFontName(defFontName_);
  doc.SetPreFontName(defPreFontName_);
  doc.LinksActive = HasOption(options_, htOptionEnum::htOverLinksActive);
  doc.NoLinkUnderline = HasOption(options_, htOptionEnum::htNoLinkUnderline);
  doc.ShowDummyCaret = HasOption(options_, htOptionEnum::htShowDummyCaret);
  doc.LinkActiveColor = ResolvePaneColor(defOverLinkColor_);
  doc.LinkVisitedColor = ResolvePaneColor(defVisitedLinkColor_);
  doc.HotSpotColor = ResolvePaneColor(defHotSpotColor_);
  doc.FontColor = ResolvePaneColor(defFontColor_);
  doc.FontSize = defFontSize_;
  doc.CharSet = charSet_;
  doc.ShowImages = viewImages_;
}

void THtmlPane::RefontAndRelayout(bool relayout) {
  if (!document_) return;
  ApplyDefaults();
  document_->UpdateAllFonts();
  if (relayout && !document_->Empty()) RelayoutKeepingPosition();
  InvalidatePanel();
}

void THtmlPane::SetProcessing(bool on) {
  if (processing_ == on) return;
  processing_ = on;
  if (OnProcessing) OnProcessing(*this, on);
}

}  // namespace htmlview
