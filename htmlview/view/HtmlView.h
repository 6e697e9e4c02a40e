#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "forms/FormSubmission.h"
#include "images/Color.h"
#include "images/ColorPalette.h"
#include "images/PictureLoader.h"
#include "navigation/FileNameExpansion.h"
#include "navigation/History.h"
#include "navigation/VisitedList.h"
#include "parser/AnchorList.h"
#include "parser/HtmlParser.h"
#include "view/ViewGeometry.h"
#include "view/ViewHost.h"
#include "view/ViewTypes.h"

namespace htmlview {

class TCanvas;
class TControlHost;
class TDocumentForms;
class TFormControlObj;
class TSectionList;
struct TUrlTarget;

// One HTML document from a file or a string, as the user sees and uses it: loading,
// layout to the view's size, scrolling, selection, hot spots, links, history and visited
// links. It draws through a canvas and reaches its window only through the host, which
// forwards input and timer ticks to it; so every rule here runs without a window.
class THtmlView {
 public:
  // `controls` makes the form controls (none: forms are read and dropped); `screenDepth`
  // and `palette` as the picture loader takes them.
  THtmlView(TCanvas& canvas, TViewHost& host, TFileSource& files, TControlHost* controls,
            int screenDepth = 24, TPalette palette = {});
  ~THtmlView();
  THtmlView(const THtmlView&) = delete;
  THtmlView& operator=(const THtmlView&) = delete;

  // Properties.
  bool ViewImages() const { return viewImages_; }
  void SetViewImages(bool value);
  TPaneColor DefBackground() const { return defBackground_; }
  void SetDefBackground(TPaneColor value);
  THTMLBorderStyle BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(THTMLBorderStyle value);
  int HistoryMaxCount() const { return history_.MaxCount(); }
  void SetHistoryMaxCount(int value);
  const std::string& DefFontName() const { return defFontName_; }
  void SetDefFontName(const std::string& value);
  const std::string& DefPreFontName() const { return defPreFontName_; }
  void SetDefPreFontName(const std::string& value);
  int DefFontSize() const { return defFontSize_; }
  void SetDefFontSize(int value);
  TPaneColor DefFontColor() const { return defFontColor_; }
  void SetDefFontColor(TPaneColor value);
  TPaneColor DefHotSpotColor() const { return defHotSpotColor_; }
  void SetDefHotSpotColor(TPaneColor value);
  TPaneColor DefVisitedLinkColor() const { return defVisitedLinkColor_; }
  void SetDefVisitedLinkColor(TPaneColor value);
  TPaneColor DefOverLinkColor() const { return defOverLinkColor_; }
  void SetDefOverLinkColor(TPaneColor value);
  int VisitedMaxCount() const { return visited_.MaxCount(); }
  void SetVisitedMaxCount(int value);
  int ImageCacheCount() const { return imageCacheCount_; }
  void SetImageCacheCount(int value);
  bool NoSelect() const { return noSelect_; }
  void SetNoSelect(bool value);
  TScrollStyle ScrollBars() const { return scrollBars_; }
  void SetScrollBars(TScrollStyle value);
  std::uint8_t CharSet() const { return charSet_; }
  void SetCharSet(std::uint8_t value);
  int MarginHeight() const { return marginHeight_; }
  void SetMarginHeight(int value);
  int MarginWidth() const { return marginWidth_; }
  void SetMarginWidth(int value);
  const std::string& ServerRoot() const { return serverRoot_; }
  void SetServerRoot(const std::string& value);
  THtmlPaneOptions htOptions() const { return options_; }
  void SetHtOptions(THtmlPaneOptions value);
  // The cursor over text (crIBeam until the first layout, then the viewer's own).
  int Cursor() const { return cursor_; }
  void SetCursor(int value) { cursor_ = value; }

  // Events.
  std::function<void(THtmlView&, const std::string& src)> OnHotSpotCovered;
  std::function<void(THtmlView&, const std::string& src, bool& handled)> OnHotSpotClick;
  // Returns the image's bytes, or says they come later, or nothing.
  std::function<TImageRequestAnswer(THtmlView&, const std::string& src)> OnImageRequest;
  std::function<void(THtmlView&, const std::string& name, const std::string& language,
                     const std::string& script)>
      OnScript;
  std::function<void(THtmlView&, const std::string& action, const std::string& target,
                     const std::string& encType, const std::string& method,
                     const std::vector<std::string>& results)>
      OnFormSubmit;
  std::function<void(THtmlView&)> OnHistoryChange;
  std::function<void(THtmlView&, bool processingOn)> OnProcessing;
  // Fills `buffer` with the text that stands for an include directive.
  std::function<void(THtmlView&, const std::string& command, const std::vector<std::string>& params,
                     std::string& buffer)>
      OnInclude;
  std::function<void(THtmlView&, const std::string& src, int loop, bool terminate)> OnSoundRequest;
  std::function<void(THtmlView&, const std::string& httpEq, const std::string& name,
                     const std::string& content)>
      OnMeta;
  std::function<void(THtmlView&, int delay, const std::string& url)> OnMetaRefresh;
  std::function<void(THtmlView&, TImageObj& obj, TMouseButton button, TShiftState shift, int x,
                     int y)>
      OnImageClick;
  std::function<void(THtmlView&, TImageObj& obj, TShiftState shift, int x, int y)> OnImageOver;
  std::function<void(THtmlView&, TFormControlObj& obj, const std::string& onClick)> OnObjectClick;
  std::function<void(THtmlView&, const TRightClickParameters& parameters)> OnRightClick;
  std::function<void(THtmlView&, TMouseButton button, TShiftState shift, int x, int y)>
      OnMouseDouble;
  std::function<void(THtmlView&, TMouseButton button, TShiftState shift, int x, int y)> OnMouseDown;
  std::function<void(THtmlView&, TShiftState shift, int x, int y)> OnMouseMove;
  std::function<void(THtmlView&, TMouseButton button, TShiftState shift, int x, int y)> OnMouseUp;
  std::function<void(THtmlView&, std::uint16_t& key, TShiftState shift)> OnKeyDown;
  std::function<void(THtmlView&, std::uint16_t& key, TShiftState shift)> OnKeyUp;
  std::function<void(THtmlView&, char& key)> OnKeyPress;
  std::function<void(THtmlView&)> OnEnter;

  // Operations.
  void OpenDocumentFile(const std::string& name);
  void OpenImageDocument(const std::string& name);
  void OpenDocumentText(const std::string& text);
  void OpenDocumentBuffer(const char* buffer, std::size_t length);
  void EmptyDocument();
  void RelayoutDocument();
  bool ScrollToAnchor(const std::string& name);
  void EmptyHistory();
  // The host now has the bytes it promised for `src` (OnImageRequest answered Later): the
  // pictures waiting for them ask for them again and the page is laid out again. False
  // when nothing waited for them, or while Processing.
  bool ImageArrived(const std::string& src);
  int VerticalPosition() const;
  void SetVerticalPosition(int position);
  int HorizontalPosition() const { return horizontalPosition_; }

  // Input from the host, in paint panel pixels.
  void Resize(int width, int height);
  void SetScrollBarWidth(int width);
  void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
  void MouseMove(TShiftState shift, int x, int y);
  void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
  void DoubleClick(TShiftState shift, int x, int y);
  // The mouse capture was taken away: a drag ends as if the button had come up.
  void CaptureLost();
  void Wheel(int delta);
  void KeyDown(std::uint16_t key, TShiftState shift);
  void KeyUp(std::uint16_t key, TShiftState shift);
  void KeyPress(char key);
  void FocusEntered();
  void VerticalBar(TScrollAction action, int trackPosition = 0);
  void HorizontalBar(TScrollAction action, int trackPosition = 0);
  // A timer the view started has run out; the mouse is at (pointerX, pointerY).
  void TimerTick(TViewTimer timer, int pointerX, int pointerY);
  void RunTask(TViewTask task);

  // Painting: the document within `clip`, on a canvas whose origin is the panel's
  // top-left corner moved up by VerticalPosition(). False while a layout is in progress.
  bool CanPaint() const { return !layoutInProgress_; }
  void DrawDocument(const TPixelRect& clip);
  TColor BackgroundColor() const { return background_; }

  // State the host may read.
  const std::string& CurrentFile() const { return currentFile_; }
  THtmlFileType CurrentFileType() const { return currentFileType_; }
  const std::string& DocumentTitle() const { return currentTitle_; }
  const std::string& Base() const { return currentBase_; }
  const std::string& BaseTarget() const { return currentBaseTarget_; }
  void SetFallbackBase(const std::string& base) { fallbackBase_ = base; }
  const THistory& History() const { return history_; }
  const TVisitedList& Visited() const { return visited_; }
  // The packed position of the view (section at the top, offset into it).
  std::uint32_t Position() const;
  void SetPosition(std::uint32_t packed);
  int DocumentHeight() const { return documentHeight_; }
  int WidestLine() const { return widestLine_; }
  std::string SelectedText() const;
  void SelectAll();
  void CopyToClipboard();
  bool Processing() const { return processing_; }
  TSectionList& Document() { return *document_; }
  const TSectionList& Document() const { return *document_; }
  TDocumentForms& Forms() { return *forms_; }
  const TScrollBarArrangement& Arrangement() const { return arrangement_; }
  int PanelCursor() const { return panelCursor_; }
  // Counts the documents shown. A handler of an event may load another page: after it
  // returns, nothing found in the old one may be used.
  std::uint32_t DocumentGeneration() const;
  // The colour of a property colour on this host's screen; none gives the window colour.
  TColor ResolveColor(TPaneColor color) const;

 private:
  class TProcessingScope;

  // Loading.
  void LoadFile(const std::string& name, THtmlFileType kind);
  void ClearForLoad();
  void SetProcessing(bool on);
  TParseTarget ParseTarget();
  TParseHandlers ParseHandlers();
  void TakeParseResults();
  void ScrollControlIntoView(const TFormControlObj& control);
  void MarkVisitedLinks();
  void FetchBackground();
  void TellSoundsToStop();
  void FireMetaRefresh();
  void DeliverFormSubmission();

  // Layout and scrolling.
  TViewFrame Frame() const;
  void DoLayout();
  void ArrangeBars();
  void RelayoutKeepingPosition();
  void ScrollVertically(int position, bool moveBits);
  void ScrollHorizontally(int position);
  void HideFormControls();
  void OnKey(std::uint16_t key);
  void ApplyDefaults();
  void RefontAndRelayout(bool relayout);
  void StepAnimations();
  void UpdateAnimationTimer();

  // Mouse and navigation.
  int DocumentX(int panelX) const;
  int DocumentY(int panelY) const;
  void TrackHotSpot(TShiftState shift, int x, int y);
  void ExtendSelection(int x, int y);
  void SetSelection(int begin, int end);
  void FollowLink(const TUrlTarget& link);
  void EndDrag();
  void EndMiddleScroll();
  void StartAutoScroll(int x, int y);
  void AutoScrollStep(int x, int y);
  void LeaveTimerTick(int x, int y);
  void SetPanelCursor(int number);
  std::string WordAt(int index, int* begin, int* end) const;
  void AddVisited(const std::string& target);
  void RecordHistory(const THistoryPlace& left);
  THistoryPlace CurrentPlace() const;
  TFileNameContext NameContext() const;

  TCanvas& canvas_;
  TViewHost& host_;
  TFileSource& files_;
  std::unique_ptr<TPictureLoader> pictureLoader_;
  // The document's forms outlive it: its sections point at their controls.
  std::unique_ptr<TDocumentForms> forms_;
  std::unique_ptr<TSectionList> document_;
  THtmlParser parser_;
  TAnchorList anchors_;
  THistory history_;
  TVisitedList visited_;

  // Properties.
  bool viewImages_ = true;
  TPaneColor defBackground_ = clBtnFace;
  THTMLBorderStyle borderStyle_ = THTMLBorderStyle::htFocused;
  std::string defFontName_ = "Times New Roman";
  std::string defPreFontName_ = "Courier New";
  int defFontSize_ = 12;
  TPaneColor defFontColor_ = clBtnText;
  TPaneColor defHotSpotColor_ = 0xFF0000;
  TPaneColor defVisitedLinkColor_ = 0x800080;
  TPaneColor defOverLinkColor_ = 0xFF0000;
  bool noSelect_ = false;
  TScrollStyle scrollBars_ = TScrollStyle::ssBoth;
  std::uint8_t charSet_ = 1;  // the default character set
  int marginHeight_ = 5, marginWidth_ = 10;
  std::string serverRoot_;
  THtmlPaneOptions options_ = 0;
  int cursor_ = crDefault;
  TColor background_ = 0;  // the colour the panel is filled with
  int imageCacheCount_ = 0;

  // The view's size and the document shown.
  int width_ = 150, height_ = 150, scrollBarWidth_ = 16;
  std::string currentFile_;
  THtmlFileType currentFileType_ = THtmlFileType::HTML;
  std::string currentTitle_, currentBase_, currentBaseTarget_, fallbackBase_;
  int hMargin_ = 10, vMargin_ = 5;
  int documentHeight_ = 0, widestLine_ = 0;
  bool resizedDuringLayout_ = false;
  int horizontalPosition_ = 0;
  TScrollBarArrangement arrangement_;
  bool animating_ = false;

  // The mouse.
  std::string urlUnderMouse_, targetUnderMouse_;
  int selectionAnchor_ = -1, caret_ = 0;
  bool processing_ = false, layoutInProgress_ = false;
  bool leftButtonDown_ = false, linkActivated_ = false;
  bool middleScroll_ = false;
  int middleY_ = 0;
  bool autoScrolling_ = false;
  bool leaveTimerOn_ = false;
  int panelCursor_ = crDefault;

  // Loading.
  int metaRefreshDelay_ = 0;
  std::string metaRefreshUrl_;
  std::optional<TFormSubmission> formSubmission_;
  std::string backgroundCacheName_;  // the cache entry the background uses
};

}  // namespace htmlview
