// The view's properties: each applies its own rule and lays out or repaints the
// document as far as it needs.
#include <algorithm>

#include "document/SectionList.h"
#include "images/ImageCache.h"
#include "text/AsciiCase.h"
#include "view/HtmlView.h"
#include "view/ProcessingScope.h"

namespace htmlview {

namespace {
constexpr int kMaxMargin = 200;
constexpr int kMinFontSize = 6;
}  // namespace

void THtmlView::SetDefBackground(TPaneColor value) {
  if (processing_) return;
  defBackground_ = value;
  document_->Background = ResolveColor(value);
  background_ = document_->Background;
  host_.Invalidate();
}

void THtmlView::SetBorderStyle(THTMLBorderStyle value) {
  borderStyle_ = value;
  ArrangeBars();
}

void THtmlView::SetHistoryMaxCount(int value) {
  if (history_.SetMaxCount(value) && OnHistoryChange) OnHistoryChange(*this);
}

void THtmlView::SetDefFontName(const std::string& value) {
  if (SameText(value, defFontName_)) return;
  defFontName_ = value;
  RefontAndRelayout(true);
}

void THtmlView::SetDefPreFontName(const std::string& value) {
  if (SameText(value, defPreFontName_)) return;
  defPreFontName_ = value;
  RefontAndRelayout(true);
}

void THtmlView::SetDefFontSize(int value) {
  defFontSize_ = std::max(value, kMinFontSize);
  RefontAndRelayout(true);
}

void THtmlView::SetDefFontColor(TPaneColor value) {
  defFontColor_ = value;
  RefontAndRelayout(false);
}

void THtmlView::SetDefHotSpotColor(TPaneColor value) {
  defHotSpotColor_ = value;
  RefontAndRelayout(false);
}

void THtmlView::SetDefVisitedLinkColor(TPaneColor value) {
  defVisitedLinkColor_ = value;
  RefontAndRelayout(false);
}

void THtmlView::SetDefOverLinkColor(TPaneColor value) {
  defOverLinkColor_ = value;
  RefontAndRelayout(false);
}

void THtmlView::SetVisitedMaxCount(int value) {
  visited_.SetMaxCount(value);
  MarkVisitedLinks();
  host_.Invalidate();
}

void THtmlView::SetImageCacheCount(int value) {
  imageCacheCount_ = std::clamp(value, 0, TStringBitmapList::kMaxCacheCount);
  SharedImageCache().SetCacheCount(imageCacheCount_);
}

void THtmlView::SetNoSelect(bool value) {
  noSelect_ = value;
  if (value) {
    SetSelection(0, 0);
    host_.Invalidate();
  }
}

void THtmlView::SetScrollBars(TScrollStyle value) {
  if (value == scrollBars_) return;
  scrollBars_ = value;
  {
    TProcessingScope scope(*this);
    DoLayout();
  }
  host_.Invalidate();
}

void THtmlView::SetCharSet(std::uint8_t value) {
  charSet_ = value;
  RefontAndRelayout(true);
}

void THtmlView::SetMarginHeight(int value) {
  if (value == marginHeight_ || processing_ || value < 0) return;
  marginHeight_ = vMargin_ = std::min(value, kMaxMargin);
  RelayoutDocument();
}

void THtmlView::SetMarginWidth(int value) {
  if (value == marginWidth_ || processing_ || value < 0) return;
  marginWidth_ = hMargin_ = std::min(value, kMaxMargin);
  RelayoutDocument();
}

void THtmlView::SetServerRoot(const std::string& value) {
  serverRoot_ = NormaliseServerRoot(value);
}

void THtmlView::SetHtOptions(THtmlPaneOptions value) {
  options_ = value;
  ApplyDefaults();
  ArrangeBars();
  host_.Invalidate();
}

// The document's defaults from the properties.
void THtmlView::ApplyDefaults() {
  TSectionList& doc = *document_;
  doc.SetFontName(defFontName_);
  doc.SetPreFontName(defPreFontName_);
  doc.LinksActive = HasOption(options_, htOptionEnum::htOverLinksActive);
  doc.NoLinkUnderline = HasOption(options_, htOptionEnum::htNoLinkUnderline);
  doc.ShowDummyCaret = HasOption(options_, htOptionEnum::htShowDummyCaret);
  doc.LinkActiveColor = ResolveColor(defOverLinkColor_);
  doc.LinkVisitedColor = ResolveColor(defVisitedLinkColor_);
  doc.HotSpotColor = ResolveColor(defHotSpotColor_);
  doc.FontColor = ResolveColor(defFontColor_);
  doc.FontSize = defFontSize_;
  doc.CharSet = charSet_;
  doc.ShowImages = viewImages_;
}

void THtmlView::RefontAndRelayout(bool relayout) {
  if (!document_) return;
  ApplyDefaults();
  document_->UpdateAllFonts();
  if (relayout && !document_->Empty()) RelayoutKeepingPosition();
  host_.Invalidate();
}

void THtmlView::SetProcessing(bool on) {
  if (processing_ == on) return;
  processing_ = on;
  if (OnProcessing) OnProcessing(*this, on);
}

}  // namespace htmlview
