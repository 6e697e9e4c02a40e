#include "win32/HtmlPane.h"

#include <algorithm>
#include <cstdlib>

#include "document/ImageObj.h"
#include "document/SectionList.h"
#include "forms/FormControlObj.h"
#include "forms/FormsOfDocument.h"
#include "images/ImageCache.h"
#include "navigation/LinkFollowing.h"
#include "navigation/MetaRefresh.h"
#include "navigation/PackedPosition.h"
#include "text/AsciiCase.h"
#include "win32/PaneDropTarget.h"
#include "win32/PaneMessages.h"
#include "win32/PaneWindows.h"
#include "win32/ViewerResources.h"

namespace {
constexpr const char* kClassName = "THtmlPane";
constexpr std::size_t kImageDocumentLimit = 255;
constexpr int kMaxMargin = 200;
constexpr int kMinFontSize = 6;

// Viewers alive in the process: the last one gives the shared image cache's unused
// pictures back, so that nothing it loaded outlives it.
int liveViewers = 0;

// The shift state of a key message: the keys held as it was sent.
TShiftState KeyShift() {
  TShiftState shift = 0;
  if (::GetKeyState(VK_SHIFT) < 0) shift |= MK_SHIFT;
  if (::GetKeyState(VK_CONTROL) < 0) shift |= MK_CONTROL;
  return shift;
}

bool FileExists(const std::string& name) {
  const DWORD attributes = ::GetFileAttributesA(name.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::string FullPath(const std::string& name) {
  char buffer[MAX_PATH * 4] = {};
  const DWORD length = ::GetFullPathNameA(name.c_str(), sizeof(buffer), buffer, nullptr);
  if (length == 0 || length >= sizeof(buffer)) return name;
  return std::string(buffer, length);
}

// The hourglass while a load runs; the cursor before it comes back however the load ends.
class THourglass {
 public:
  THourglass() : before_(::SetCursor(::LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_WAIT)))) {}
  ~THourglass() { ::SetCursor(before_); }
  THourglass(const THourglass&) = delete;
  THourglass& operator=(const THourglass&) = delete;

 private:
  HCURSOR before_;
};
}  // namespace

TColor ResolvePaneColor(TPaneColor color) {
  if (color == clNone) return ::GetSysColor(COLOR_WINDOW);
  if (color & 0x80000000) return ::GetSysColor(static_cast<int>(color & 0xFF));
  return color & 0xFFFFFF;
}

THtmlPane::THtmlPane(HWND parent, int left, int top) {
  RegisterViewerClass(kClassName, 0, nullptr);
  CreateHandle(WS_EX_CONTROLPARENT, kClassName,
               WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_TABSTOP, left, top, width_, height_,
               parent);
  borderPanel_ = std::make_unique<TBorderPanel>(*this);
  paintPanel_ = std::make_unique<TPaintPanel>(*this);
  dropTarget_ = std::make_unique<TPaneDropTarget>(paintPanel_->Handle());
  dropTarget_->Welcome = [this](POINT point, const std::vector<std::string>& files) {
    if (!OnDragOver || processing_) return false;
    bool accept = true;
    OnDragOver(*this, point.x, point.y, files, accept);
    return accept;
  };
  dropTarget_->Dropped = [this](POINT point, const std::vector<std::string>& files) {
    if (OnDragDrop) OnDragDrop(*this, point.x, point.y, files);
  };
  dropTarget_->Register();
  vBar_ = std::make_unique<T32ScrollBar>(Handle(), true, kVerticalSmallChange);
  hBar_ = std::make_unique<T32ScrollBar>(Handle(), false, kHorizontalSmallChange);
  scrollBarWidth_ = vBar_->Thickness();

  ++liveViewers;
  const TViewerResources& resources = TViewerResources::Get();
  controlHost_ = std::make_unique<TWin32ControlHost>(paintPanel_->Handle());
  pictureLoader_ = std::make_unique<TPictureLoader>(SharedImageCache(), resources.ScreenDepth(),
                                                    resources.SharedPalette());
  pictureLoader_->ExpandFileName = [this](const std::string& src) {
    return ExpandFileName(src, NameContext());
  };
  document_ = std::make_unique<TSectionList>(canvas_);
  document_->PictureLoader = pictureLoader_.get();
  document_->OnProcessingError = [this](const std::string& text) {
    ::MessageBoxA(Handle(), text.c_str(), "", MB_OK | MB_ICONERROR);
  };
  // Image maps and control focus are answered from the same controls that the parser made.
  forms_ = std::make_unique<TDocumentForms>();
  ConnectForms(*document_, *forms_);
  TDocumentForms& forms = *forms_;
  forms.SetHost(controlHost_.get());
  forms.SubmitHandler = [this](const TFormSubmission& submission) {
    formSubmission_ = submission;
    ::PostMessageA(Handle(), kFormSubmitMessage, 0, 0);
  };
  forms.ObjectClickHandler = [this](TFormControlObj& control, const std::string& onClick) {
    if (OnObjectClick) OnObjectClick(*this, control, onClick);
  };
  forms.ControlFocusedHandler = [this](TFormControlObj& control) {
    ScrollControlIntoView(control);
  };

  SetDefBackground(clBtnFace);
  SetDefFontColor(clBtnText);
  SetDefHotSpotColor(0xFF0000);
  SetDefOverLinkColor(0xFF0000);
  SetDefVisitedLinkColor(0x800080);
  SetVisitedMaxCount(TVisitedList::kDefaultMaxCount);
  SetDefFontSize(12);
  ApplyDefaults();
  SetImageCacheCount(TStringBitmapList::kDefaultCacheCount);
  ArrangeBars();
}

THtmlPane::~THtmlPane() {
  if (Handle()) {
    ::KillTimer(Handle(), kLeaveTimerId);
    ::KillTimer(Handle(), kAutoScrollTimerId);
    ::SetWindowLongPtrA(Handle(), GWLP_USERDATA, 0);
  }
  if (!backgroundCacheName_.empty()) SharedImageCache().Release(backgroundCacheName_);
  // The document's controls are windows of the host: the document and its forms go first.
  document_.reset();
  forms_.reset();
  pictureLoader_.reset();
  controlHost_.reset();
  hBar_.reset();
  vBar_.reset();
  dropTarget_.reset();
  paintPanel_.reset();
  borderPanel_.reset();
  if (--liveViewers == 0) SharedImageCache().FreeUnused();
}

HWND THtmlPane::PaintPanelHandle() const {
  return paintPanel_->Handle();
}

void THtmlPane::SetBounds(int left, int top, int width, int height) {
  ::MoveWindow(Handle(), left, top, width, height, TRUE);
}

// ----- Properties -----

void THtmlPane::SetViewImages(bool value) {
  if (processing_) return;
  THourglass hourglass;
  SetProcessing(true);
  struct TProcessingOff {
    THtmlPane& pane;
    ~TProcessingOff() { pane.SetProcessing(false); }
  } off{*this};
  viewImages_ = value;
  document_->ShowImages = value;
  if (document_->Empty()) return;
  document_->ReloadImages();
  FetchBackground();
  RelayoutKeepingPosition();
  InvalidatePanel();
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

// ----- Loading -----

TFileNameContext THtmlPane::NameContext() const {
  return {serverRoot_, currentBase_, currentFile_, FullPath};
}

THistoryPlace THtmlPane::CurrentPlace() const {
  return {currentFile_, currentTitle_, {Position(), currentFileType_}};
}

void THtmlPane::OpenDocumentFile(const std::string& name) {
  if (processing_ || name.empty()) return;
  const THistoryPlace left = CurrentPlace();
  LoadFile(name, THtmlFileType::HTML);
  if (!SameDocument(left, CurrentPlace())) RecordHistory(left);
}

void THtmlPane::OpenImageDocument(const std::string& name) {
  if (processing_ || name.empty()) return;
  const THistoryPlace left = CurrentPlace();
  LoadFile(name, THtmlFileType::Image);
  if (!SameDocument(left, CurrentPlace())) RecordHistory(left);
}

void THtmlPane::LoadFile(const std::string& name, THtmlFileType kind) {
  THourglass hourglass;
  const TFileAndAnchor parts = SplitAtAnchor(name);
  metaRefreshDelay_ = 0;
  SetProcessing(true);
  if (!FileExists(parts.FileName)) {
    SetProcessing(false);
    throw EInOutError("Can't locate file: " + parts.FileName);
  }
  const std::string previousFile = currentFile_;
  const int previousTop = document_->YOff, previousLeft = horizontalPosition_;
  ClearForLoad();
  caret_ = 0;
  selectionAnchor_ = -1;
  currentFile_ = FullPath(parts.FileName);
  currentFileType_ = kind;

  std::exception_ptr failure;
  try {
    if (kind == THtmlFileType::HTML) {
      TellSoundsToStop();
      parser_.ParseFile(ParseTarget(), currentFile_, ParseHandlers());
    } else if (kind == THtmlFileType::Text) {
      parser_.ReadTextFile(ParseTarget(), currentFile_);
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
    InvalidatePanel();
  } catch (...) {
    if (!failure) failure = std::current_exception();
  }
  SetProcessing(false);
  if (failure) std::rethrow_exception(failure);
  FireMetaRefresh();
}

void THtmlPane::OpenDocumentText(const std::string& text) {
  OpenDocumentBuffer(text.data(), text.size());
}

void THtmlPane::OpenDocumentBuffer(const char* buffer, std::size_t length) {
  if (processing_) return;
  SetProcessing(true);
  metaRefreshDelay_ = 0;
  ClearForLoad();
  caret_ = 0;
  selectionAnchor_ = -1;
  TellSoundsToStop();
  std::exception_ptr failure;
  try {
    parser_.ParseBuffer(ParseTarget(), std::string_view(buffer, length), ParseHandlers());
  } catch (...) {
    failure = std::current_exception();
  }
  try {
    TakeParseResults();
    ScrollVertically(0, false);
    ScrollHorizontally(0);
    InvalidatePanel();
  } catch (...) {
    if (!failure) failure = std::current_exception();
  }
  currentFile_.clear();
  SetProcessing(false);
  if (failure) std::rethrow_exception(failure);
  FireMetaRefresh();
}

void THtmlPane::ClearForLoad() {
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
  document_->Background = ResolvePaneColor(defBackground_);
  ApplyDefaults();
  anchors_.Clear();
  hMargin_ = marginWidth_;
  vMargin_ = marginHeight_;
  horizontalPosition_ = 0;
}

TParseTarget THtmlPane::ParseTarget() {
  return TParseTarget{*document_, anchors_, forms_.get()};
}

TParseHandlers THtmlPane::ParseHandlers() {
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

void THtmlPane::FetchBackground() {
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

void THtmlPane::TakeParseResults() {
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

void THtmlPane::TellSoundsToStop() {
  if (OnSoundRequest) OnSoundRequest(*this, "", 0, true);
}

void THtmlPane::FireMetaRefresh() {
  if (metaRefreshDelay_ > 0 && OnMetaRefresh)
    OnMetaRefresh(*this, metaRefreshDelay_, metaRefreshUrl_);
}

void THtmlPane::MarkVisitedLinks() {
  const TFileNameContext context = NameContext();
  for (const auto& link : document_->LinkList)
    link->Visited =
        visited_.MaxCount() > 0 && visited_.Contains(FullLinkTarget(link->Url, context));
}

void THtmlPane::EmptyDocument() {
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
  vBar_->SetVisible(false);
  hBar_->SetVisible(false);
  TellSoundsToStop();
  InvalidatePanel();
}

void THtmlPane::RelayoutDocument() {
  if (processing_) return;
  SetProcessing(true);
  try {
    RelayoutKeepingPosition();
  } catch (...) {
    SetProcessing(false);
    throw;
  }
  SetProcessing(false);
  InvalidatePanel();
}

bool THtmlPane::ScrollToAnchor(const std::string& name) {
  const std::string anchor = !name.empty() && name[0] == '#' ? name.substr(1) : name;
  if (anchor.empty()) return false;
  const TSectionBase* section = anchors_.Find(UpperText(anchor));
  if (!section) return false;
  ScrollVertically(section->YValue, false);
  ScrollHorizontally(0);
  AddVisited(currentFile_ + "#" + anchor);
  return true;
}

bool THtmlPane::ImageArrived(const std::string& src) {
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

void THtmlPane::EmptyHistory() {
  if (history_.Clear() && OnHistoryChange) OnHistoryChange(*this);
}

void THtmlPane::RecordHistory(const THistoryPlace& left) {
  if (history_.Record(left, CurrentPlace()) && OnHistoryChange) OnHistoryChange(*this);
}

void THtmlPane::AddVisited(const std::string& target) {
  if (visited_.Add(target) != TVisitedList::TAddResult::Added) return;
  const TFileNameContext context = NameContext();
  bool changed = false;
  for (const auto& link : document_->LinkList) {
    if (!link->Visited && SameText(FullLinkTarget(link->Url, context), target)) {
      link->Visited = true;
      changed = true;
    }
  }
  if (changed) InvalidatePanel();
}

// ----- Layout and scrolling -----

TViewFrame THtmlPane::Frame() const {
  TViewFrame frame;
  frame.Width = width_;
  frame.Height = height_;
  frame.ScrollBarWidth = scrollBarWidth_;
  frame.BorderStyle = borderStyle_;
  frame.ScrollBars = scrollBars_;
  frame.MarginWidth = hMargin_;
  frame.MarginHeight = vMargin_;
  frame.ShowVScroll = HasOption(options_, htOptionEnum::htShowVScroll);
  return frame;
}

void THtmlPane::DoLayout() {
  widestLine_ = 0;
  layoutInProgress_ = true;
  // A size that came while a message box of this layout was open is taken afterwards.
  const auto endLayout = [this] {
    layoutInProgress_ = false;
    if (!resizedDuringLayout_ || !Handle()) return;
    resizedDuringLayout_ = false;
    ::PostMessageA(Handle(), WM_SIZE, SIZE_RESTORED, MAKELPARAM(width_, height_));
  };
  try {
    const TViewFrame frame = Frame();
    document_->ViewHeight = height_ - 2 * vMargin_;
    std::int32_t widest = 0;
    const std::int32_t height =
        document_->DoLogic(vMargin_, std::max(LayoutWidth(frame), 0), widest);
    widestLine_ = widest;
    documentHeight_ = ::DocumentHeight(frame, height);
  } catch (...) {
    endLayout();
    throw;
  }
  endLayout();
  ArrangeBars();
  paintPanel_->UpdateAnimationTimer(document_->HasAnimations());
  if (cursor_ == crIBeam) cursor_ = 2;
}

std::uint32_t THtmlPane::DocumentGeneration() const {
  return forms_->Generation();  // a new document empties its forms
}

void THtmlPane::ScrollControlIntoView(const TFormControlObj& control) {
  if (!control.Placed()) return;
  const int top = control.PlacedTop() - document_->YOff;  // placed in document pixels
  const int panelHeight = arrangement_.PaintPanel.Height;
  if (top >= 0 && top <= panelHeight - 20) return;
  ScrollVertically(document_->YOff + top - panelHeight / 2, false);
}

void THtmlPane::ArrangeBars() {
  if (!paintPanel_) return;
  arrangement_ = ArrangeScrollBars(Frame(), documentHeight_, widestLine_);
  const TScrollBarArrangement& a = arrangement_;
  ::ShowWindow(borderPanel_->Handle(), a.BorderShown ? SW_SHOWNA : SW_HIDE);
  ::SetWindowPos(borderPanel_->Handle(), HWND_BOTTOM, 0, 0, width_, height_, SWP_NOACTIVATE);
  ::MoveWindow(paintPanel_->Handle(), a.PaintPanel.Left, a.PaintPanel.Top, a.PaintPanel.Width,
               a.PaintPanel.Height, TRUE);

  hBar_->SetLargeChange(a.HorizontalLargeChange);
  hBar_->SetBounds(a.HorizontalBar.Left, a.HorizontalBar.Top, a.HorizontalBar.Width,
                   a.HorizontalBar.Height);
  horizontalPosition_ =
      ClampHorizontalPosition(horizontalPosition_, a.HorizontalRange, a.PaintPanel.Width);
  hBar_->SetParams(horizontalPosition_, a.HorizontalPage, 0, a.HorizontalRange, false);
  hBar_->SetVisible(a.HorizontalShown);

  const bool showVScroll = HasOption(options_, htOptionEnum::htShowVScroll);
  vBar_->SetLargeChange(a.VerticalLargeChange);
  vBar_->SetBounds(a.VerticalBar.Left, a.VerticalBar.Top, a.VerticalBar.Width,
                   a.VerticalBar.Height);
  vBar_->SetParams(document_->YOff, a.VerticalPage, 0, a.VerticalMax, showVScroll);
  vBar_->SetVisible(a.VerticalVisible);
  if (showVScroll) vBar_->SetEnabled(a.VerticalEnabled);
}

void THtmlPane::RelayoutKeepingPosition() {
  const std::uint32_t packed = Position();
  DoLayout();
  SetPosition(packed);
}

std::uint32_t THtmlPane::Position() const {
  const std::int32_t y = document_->YOff;
  const std::int32_t index = document_->SectionAtY(y);
  if (index < 0) return 0;
  return PackPosition(index, y - document_->Sections()[static_cast<std::size_t>(index)]->YValue);
}

void THtmlPane::SetPosition(std::uint32_t packed) {
  const std::size_t index = static_cast<std::size_t>(PackedSection(packed));
  if (index >= document_->Count()) return;
  ScrollVertically(document_->Sections()[index]->YValue + PackedOffset(packed), false);
}

int THtmlPane::VerticalPosition() const {
  return document_->YOff;
}

void THtmlPane::SetVerticalPosition(int position) {
  ScrollVertically(position, false);
}

void THtmlPane::ScrollVertically(int position, bool moveBits) {
  const int panelHeight = arrangement_.PaintPanel.Height;
  position = ClampVerticalPosition(position, documentHeight_, panelHeight);
  const int old = document_->YOff;
  vBar_->SetPosition(position);
  if (position == old) return;
  document_->YOff = position;
  const int delta = old - position;
  if (moveBits && std::abs(delta) < panelHeight) {
    ::ScrollWindowEx(paintPanel_->Handle(), 0, delta, nullptr, nullptr, nullptr, nullptr,
                     SW_INVALIDATE | SW_SCROLLCHILDREN);
    ::UpdateWindow(paintPanel_->Handle());
  } else {
    HideFormControls();
    InvalidatePanel();
  }
}

void THtmlPane::ScrollHorizontally(int position) {
  position = ClampHorizontalPosition(position, arrangement_.HorizontalRange,
                                     arrangement_.PaintPanel.Width);
  hBar_->SetPosition(position);
  if (position == horizontalPosition_) return;
  horizontalPosition_ = position;
  HideFormControls();
  InvalidatePanel();
}

// Form controls are placed where their lines are drawn. Before the view is drawn afresh
// at another place, those that will not be drawn must not stay where they were. While one
// has the focus they stay: the focus may move on to any of them, and a control that is
// not placed could not be scrolled into view then.
void THtmlPane::HideFormControls() {
  if (document_->AnyControlHasFocus && document_->AnyControlHasFocus()) return;
  document_->HideControls(false);
}

void THtmlPane::OnVerticalBar(int code) {
  int position = document_->YOff;
  switch (code) {
    case SB_LINEUP:
      position -= vBar_->SmallChange();
      break;
    case SB_LINEDOWN:
      position += vBar_->SmallChange();
      break;
    case SB_PAGEUP:
      position -= vBar_->LargeChange();
      break;
    case SB_PAGEDOWN:
      position += vBar_->LargeChange();
      break;
    case SB_TOP:
      position = 0;
      break;
    case SB_BOTTOM:
      position = documentHeight_ - arrangement_.PaintPanel.Height;
      break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION:
      position = vBar_->TrackPosition();
      break;
    default:
      return;
  }
  ScrollVertically(position, true);
  ::SetFocus(Handle());
}

void THtmlPane::OnHorizontalBar(int code) {
  ::SetFocus(Handle());
  int position = horizontalPosition_;
  switch (code) {
    case SB_LINELEFT:
      position -= hBar_->SmallChange();
      break;
    case SB_LINERIGHT:
      position += hBar_->SmallChange();
      break;
    case SB_PAGELEFT:
      position -= hBar_->LargeChange();
      break;
    case SB_PAGERIGHT:
      position += hBar_->LargeChange();
      break;
    case SB_LEFT:
      position = 0;
      break;
    case SB_RIGHT:
      position = arrangement_.HorizontalRange;
      break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION:
      position = hBar_->TrackPosition();
      break;
    default:
      return;
  }
  ScrollHorizontally(position);
}

void THtmlPane::OnKey(WORD key) {
  if (middleScroll_) {
    middleScroll_ = false;
    SetPanelCursor(crDefault);
    return;
  }
  const int old = document_->YOff;
  int position = old;
  switch (key) {
    case VK_PRIOR:
      position -= vBar_->LargeChange();
      break;
    case VK_NEXT:
      position += vBar_->LargeChange();
      break;
    case VK_END:
      position = documentHeight_;
      break;
    case VK_HOME:
      position = 0;
      break;
    case VK_UP:
      position -= vBar_->SmallChange();
      break;
    case VK_DOWN:
      position += vBar_->SmallChange();
      break;
    case VK_LEFT:
      ScrollHorizontally(horizontalPosition_ - hBar_->SmallChange());
      return;
    case VK_RIGHT:
      ScrollHorizontally(horizontalPosition_ + hBar_->SmallChange());
      return;
    default:
      return;
  }
  position = ClampVerticalPosition(position, documentHeight_, arrangement_.PaintPanel.Height);
  ScrollVertically(position, std::abs(position - old) == vBar_->SmallChange());
}

void THtmlPane::OnResize() {
  if (layoutInProgress_) {  // the layout is half done: it must not be entered again
    resizedDuringLayout_ = true;
    return;
  }
  if (width_ <= 0 || height_ <= 0) return;  // minimised: nothing shows, the layout stays
  if (processing_) {
    ArrangeBars();
    return;
  }
  DoLayout();
  if (documentHeight_ < arrangement_.PaintPanel.Height)
    ScrollVertically(0, false);
  else
    ScrollVertically(document_->YOff, false);
  ScrollHorizontally(horizontalPosition_);
  InvalidatePanel();
}

// ----- The control's messages -----

LRESULT THtmlPane::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_SIZE:
      width_ = LOWORD(lParam);
      height_ = HIWORD(lParam);
      if (paintPanel_) OnResize();
      return 0;
    case WM_ERASEBKGND:
      return 1;
    case WM_GETDLGCODE:
      return DLGC_WANTARROWS;
    case WM_SETFOCUS:
      DrawBorder();
      if (OnEnter) OnEnter(*this);
      return 0;
    case WM_KILLFOCUS:
      DrawBorder();
      return 0;
    case WM_KEYDOWN: {
      WORD key = static_cast<WORD>(wParam);
      if (OnKeyDown) OnKeyDown(*this, key, KeyShift());
      const bool control = ::GetKeyState(VK_CONTROL) < 0;
      if (control && (key == 'C' || key == VK_INSERT))
        CopyToClipboard();
      else if (control && key == 'A')
        SelectAll();
      else
        OnKey(key);
      return 0;
    }
    case WM_COPY:
      CopyToClipboard();
      return 0;
    case WM_KEYUP: {
      WORD key = static_cast<WORD>(wParam);
      if (OnKeyUp) OnKeyUp(*this, key, KeyShift());
      return 0;
    }
    case WM_CHAR: {
      char key = static_cast<char>(wParam);
      if (OnKeyPress) OnKeyPress(*this, key);
      return 0;
    }
    case WM_MOUSEWHEEL:
      ScrollVertically(document_->YOff - GET_WHEEL_DELTA_WPARAM(wParam) / 2, false);
      return 0;
    case WM_VSCROLL:
      if (reinterpret_cast<HWND>(lParam) == vBar_->Handle()) OnVerticalBar(LOWORD(wParam));
      return 0;
    case WM_HSCROLL:
      if (reinterpret_cast<HWND>(lParam) == hBar_->Handle()) OnHorizontalBar(LOWORD(wParam));
      return 0;
    case WM_TIMER:
      if (wParam == kLeaveTimerId) LeaveTimerTick();
      if (wParam == kAutoScrollTimerId) AutoScrollStep();
      return 0;
    case kFormSubmitMessage:
      DeliverFormSubmission();
      return 0;
    case kAutoScrollMessage:
      StartAutoScroll();
      return 0;
    default:
      return DefaultHandling(message, wParam, lParam);
  }
}

void THtmlPane::DeliverFormSubmission() {
  if (!formSubmission_) return;
  const TFormSubmission submission = std::move(*formSubmission_);
  formSubmission_.reset();
  if (OnFormSubmit)
    OnFormSubmit(*this, submission.Action, submission.Target, submission.EncType, submission.Method,
                 submission.Results);
}
