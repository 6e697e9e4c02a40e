// Loading documents from files and buffers, what the parser leaves behind, the
// background picture, anchors, history and visited links.
#include "document/SectionList.h"
#include "forms/DocumentForms.h"
#include "images/ImageCache.h"
#include "navigation/LinkFollowing.h"
#include "text/AsciiCase.h"
#include "view/HtmlView.h"
#include "view/MetaRefresh.h"
#include "view/ProcessingScope.h"

namespace htmlview {

namespace {
constexpr std::size_t kImageDocumentLimit = 255;
}  // namespace

TFileNameContext THtmlView::NameContext() const {
  return {serverRoot_, currentBase_, currentFile_,
          [this](const std::string& name) { return files_.FullPath(name); }};
}

THistoryPlace THtmlView::CurrentPlace() const {
  return {currentFile_, currentTitle_, {Position(), currentFileType_}};
}

void THtmlView::OpenDocumentFile(const std::string& name) {
  if (processing_ || name.empty()) return;
  const THistoryPlace left = CurrentPlace();
  LoadFile(name, THtmlFileType::HTML);
  if (!SameDocument(left, CurrentPlace())) RecordHistory(left);
}

void THtmlView::OpenImageDocument(const std::string& name) {
  if (processing_ || name.empty()) return;
  const THistoryPlace left = CurrentPlace();
  LoadFile(name, THtmlFileType::Image);
  if (!SameDocument(left, CurrentPlace())) RecordHistory(left);
}

void THtmlView::LoadFile(const std::string& name, THtmlFileType kind) {
  const TFileAndAnchor parts = SplitAtAnchor(name);
  metaRefreshDelay_ = 0;
  std::exception_ptr failure;
  {
    TProcessingScope scope(*this);
    if (!files_.Exists(parts.FileName)) throw EInOutError("Can't locate file: " + parts.FileName);
    const std::string previousFile = currentFile_;
    const int previousTop = document_->YOff, previousLeft = horizontalPosition_;
    ClearForLoad();
    caret_ = 0;
    selectionAnchor_ = -1;
    currentFile_ = files_.FullPath(parts.FileName);
    currentFileType_ = kind;

    try {
      if (kind == THtmlFileType::HTML) {
        TellSoundsToStop();
        const std::string text = files_.Read(currentFile_, THtmlParser::kMaxFileBytes);
        parser_.ParseBuffer(ParseTarget(), text, ParseHandlers());
      } else if (kind == THtmlFileType::Text) {
        parser_.ReadTextBuffer(ParseTarget(),
                               files_.Read(currentFile_, THtmlParser::kMaxFileBytes));
      } else {
        std::string tag = "<img src=\"" + currentFile_ + "\">";
        if (tag.size() > kImageDocumentLimit) tag.resize(kImageDocumentLimit);
        parser_.ParseBuffer(ParseTarget(), tag, ParseHandlers());
      }
    } catch (...) {
      failure = std::current_exception();
    }
    try {
      TakeParseResults();
      MarkVisitedLinks();
      if (parts.Anchor.empty() || !ScrollToAnchor(parts.Anchor)) {
        // A reload of the same file stays where it was; another file starts at its top.
        const bool reload = SameText(currentFile_, previousFile);
        ScrollVertically(reload ? previousTop : 0, false);
        ScrollHorizontally(reload ? previousLeft : 0);
      }
      host_.Invalidate();
    } catch (...) {
      if (!failure) failure = std::current_exception();
    }
  }
  if (failure) std::rethrow_exception(failure);
  FireMetaRefresh();
}

void THtmlView::OpenDocumentText(const std::string& text) {
  OpenDocumentBuffer(text.data(), text.size());
}

void THtmlView::OpenDocumentBuffer(const char* buffer, std::size_t length) {
  if (processing_) return;
  metaRefreshDelay_ = 0;
  std::exception_ptr failure;
  {
    TProcessingScope scope(*this);
    ClearForLoad();
    caret_ = 0;
    selectionAnchor_ = -1;
    TellSoundsToStop();
    try {
      parser_.ParseBuffer(ParseTarget(), std::string_view(buffer, length), ParseHandlers());
    } catch (...) {
      failure = std::current_exception();
    }
    try {
      TakeParseResults();
      ScrollVertically(0, false);
      ScrollHorizontally(0);
      host_.Invalidate();
    } catch (...) {
      if (!failure) failure = std::current_exception();
    }
    currentFile_.clear();
  }
  if (failure) std::rethrow_exception(failure);
  FireMetaRefresh();
}

void THtmlView::ClearForLoad() {
  // The host supplies pictures by name while it handles OnImageRequest; names are then
  // passed on as written.
  if (OnImageRequest)
    pictureLoader_->OnImageRequest = [this](const std::string& src) {
      return OnImageRequest(*this, src);
    };
  else
    pictureLoader_->OnImageRequest = nullptr;
  urlUnderMouse_.clear();
  targetUnderMouse_.clear();
  document_->Clear();
  SharedImageCache().AgeForNewDocument();
  document_->Background = ResolveColor(defBackground_);
  ApplyDefaults();
  anchors_.Clear();
  hMargin_ = marginWidth_;
  vMargin_ = marginHeight_;
  horizontalPosition_ = 0;
}

TParseTarget THtmlView::ParseTarget() {
  return TParseTarget{*document_, anchors_, forms_.get()};
}

TParseHandlers THtmlView::ParseHandlers() {
  TParseHandlers handlers;
  handlers.OnMeta = [this](const std::string& httpEq, const std::string& name,
                           const std::string& content) {
    if (OnMeta) OnMeta(*this, httpEq, name, content);
    if (OnMetaRefresh && SameText(httpEq, "refresh")) {
      if (const auto refresh = ParseMetaRefresh(content)) {
        metaRefreshDelay_ = refresh->Delay;
        metaRefreshUrl_ = refresh->Url;
      }
    }
  };
  if (OnSoundRequest)
    handlers.OnSoundRequest = [this](const std::string& src, int loop, bool terminate) {
      OnSoundRequest(*this, src, loop, terminate);
    };
  if (OnScript)
    handlers.OnScript = [this](const std::string& name, const std::string& language,
                               const std::string& script) {
      OnScript(*this, name, language, script);
    };
  if (OnInclude)
    handlers.OnInclude = [this](const std::string& command, const std::vector<std::string>& params,
                                std::string& buffer) { OnInclude(*this, command, params, buffer); };
  handlers.OnBackground = [this](TColor color) { background_ = color; };
  return handlers;
}

void THtmlView::FetchBackground() {
  document_->BackgroundBitmap.reset();
  document_->BackgroundMask.reset();
  if (!backgroundCacheName_.empty()) SharedImageCache().Release(backgroundCacheName_);
  backgroundCacheName_.clear();
  if (!viewImages_ || document_->BitmapName.empty()) return;
  TImageForSource picture = pictureLoader_->GetImage(document_->BitmapName, false);
  backgroundCacheName_ = picture.CacheName;
  if (picture.Gif) {  // an animated GIF stays on its first frame behind the page
    document_->BackgroundBitmap = std::make_shared<TDIB>(picture.Gif->FirstFrameBitmap());
    TDIB mask = picture.Gif->FirstFrameMask();
    if (!mask.Empty()) document_->BackgroundMask = std::make_shared<TDIB>(std::move(mask));
  } else if (picture.Bitmap) {
    document_->BackgroundBitmap = picture.Bitmap;
    document_->BackgroundMask = picture.Mask;
  }
}

void THtmlView::TakeParseResults() {
  currentTitle_ = parser_.Title();
  currentBase_ = parser_.Base().empty() ? fallbackBase_ : parser_.Base();
  currentBaseTarget_ = parser_.BaseTarget();
  const TBodyMargins margins = parser_.Margins();
  if (margins.Width >= 0) hMargin_ = margins.Width;
  if (margins.Height >= 0) vMargin_ = margins.Height;
  background_ = document_->Background;
  FetchBackground();
  DoLayout();
}

void THtmlView::TellSoundsToStop() {
  if (OnSoundRequest) OnSoundRequest(*this, "", 0, true);
}

void THtmlView::FireMetaRefresh() {
  if (metaRefreshDelay_ > 0 && OnMetaRefresh)
    OnMetaRefresh(*this, metaRefreshDelay_, metaRefreshUrl_);
}

void THtmlView::MarkVisitedLinks() {
  const TFileNameContext context = NameContext();
  for (const auto& link : document_->LinkList)
    link->Visited =
        visited_.MaxCount() > 0 && visited_.Contains(FullLinkTarget(link->Url, context));
}

void THtmlView::EmptyDocument() {
  if (processing_) return;
  document_->Clear();
  anchors_.Clear();
  currentTitle_.clear();
  currentBase_.clear();
  currentBaseTarget_.clear();
  documentHeight_ = 0;
  widestLine_ = 0;
  document_->YOff = 0;
  horizontalPosition_ = 0;
  arrangement_.VerticalVisible = false;
  arrangement_.HorizontalShown = false;
  host_.ArrangementChanged();
  TellSoundsToStop();
  host_.Invalidate();
}

void THtmlView::RelayoutDocument() {
  if (processing_) return;
  {
    TProcessingScope scope(*this);
    RelayoutKeepingPosition();
  }
  host_.Invalidate();
}

bool THtmlView::ScrollToAnchor(const std::string& name) {
  const std::string anchor = !name.empty() && name[0] == '#' ? name.substr(1) : name;
  if (anchor.empty()) return false;
  const TSectionBase* section = anchors_.Find(UpperText(anchor));
  if (!section) return false;
  ScrollVertically(section->YValue, false);
  ScrollHorizontally(0);
  AddVisited(currentFile_ + "#" + anchor);
  return true;
}

void THtmlView::SetViewImages(bool value) {
  if (processing_) return;
  TProcessingScope scope(*this);
  viewImages_ = value;
  document_->ShowImages = value;
  if (document_->Empty()) return;
  document_->ReloadImages();
  FetchBackground();
  RelayoutKeepingPosition();
  host_.Invalidate();
}

bool THtmlView::ImageArrived(const std::string& src) {
  if (processing_) return false;
  const bool images = document_->ImagesArrived(src);
  const bool background =
      !document_->BitmapName.empty() &&
      TStringBitmapList::KeyOf(document_->BitmapName) == TStringBitmapList::KeyOf(src);
  if (!images && !background) return false;
  if (background) FetchBackground();
  RelayoutDocument();
  return true;
}

void THtmlView::EmptyHistory() {
  if (history_.Clear() && OnHistoryChange) OnHistoryChange(*this);
}

void THtmlView::RecordHistory(const THistoryPlace& left) {
  if (history_.Record(left, CurrentPlace()) && OnHistoryChange) OnHistoryChange(*this);
}

void THtmlView::AddVisited(const std::string& target) {
  if (visited_.Add(target) != TVisitedList::TAddResult::Added) return;
  const TFileNameContext context = NameContext();
  bool changed = false;
  for (const auto& link : document_->LinkList) {
    if (!link->Visited && SameText(FullLinkTarget(link->Url, context), target)) {
      link->Visited = true;
      changed = true;
    }
  }
  if (changed) host_.Invalidate();
}

}  // namespace htmlview
