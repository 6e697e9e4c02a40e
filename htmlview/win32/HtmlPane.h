#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "forms/DocumentForms.h"
#include "forms/FormSubmission.h"
#include "images/Color.h"
#include "images/PictureLoader.h"
#include "navigation/FileNameExpansion.h"
#include "navigation/History.h"
#include "navigation/ViewGeometry.h"
#include "navigation/VisitedList.h"
#include "parser/AnchorList.h"
#include "parser/HtmlParser.h"
#include "win32/GdiCanvas.h"
#include "win32/ScrollBar32.h"
#include "win32/ViewerWindow.h"
#include "win32/Win32ControlHost.h"

namespace htmlview {

class TSectionList;
class TImageObj;
class TFormControlObj;
class THtmlPane;
class TPaneDropTarget;
struct TUrlTarget;

// Colours as the control's properties take them: a colour value, a system colour (high
// bit set, the system colour's index in the low byte) or none.
using TPaneColor = std::uint32_t;
constexpr TPaneColor clNone = 0x1FFFFFFF;
constexpr TPaneColor clBtnFace = 0x80000000 | COLOR_BTNFACE;
constexpr TPaneColor clBtnText = 0x80000000 | COLOR_BTNTEXT;
// The screen colour of a property colour; none gives the window colour.
TColor ResolvePaneColor(TPaneColor color);

enum class htOptionEnum : std::uint8_t {
  htOverLinksActive = 1,
  htNoLinkUnderline = 2,
  htShowDummyCaret = 4,
  htShowVScroll = 8,
};
using THtmlPaneOptions = std::uint8_t;  // a set of htOptionEnum bits
constexpr bool HasOption(THtmlPaneOptions options, htOptionEnum option) {
  return (options & static_cast<std::uint8_t>(option)) != 0;
}

// The error a load lets through, such as "Can't locate file: " and the name.
class EInOutError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};
// A paint that could not get its off-screen bitmap.
class EOutOfResources : public std::runtime_error {
 public:
  EOutOfResources() : std::runtime_error("Out of Resources") {}
};

// What the right-click event receives.
struct TRightClickParameters {
  TImageObj* Image = nullptr;  // the image under the mouse, or none
  std::int32_t ImageX = 0;     // the mouse within it
  std::int32_t ImageY = 0;
  std::string URL;     // the link under the mouse, empty for none
  std::string Target;  // its frame target
  std::string ClickWord;
};

enum class TMouseButton : std::uint8_t { mbLeft, mbRight, mbMiddle };
using TShiftState = std::uint32_t;  // MK_SHIFT, MK_CONTROL and the button bits

// The cursor numbers the viewer installs; 0 is the arrow, crIBeam the system text cursor.
constexpr int crDefault = 0;
constexpr int crIBeam = -4;

// A windowed control that shows one HTML document from a file or a string and lets the
// user scroll it, select text in it and follow its links.
class THtmlPane final : public TViewerWindow {
 public:
  THtmlPane(HWND parent, int left, int top);
  ~THtmlPane() override;

  void SetBounds(int left, int top, int width, int height);
  int Width() const { return width_; }
  int Height() const { return height_; }

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
  int ImageCacheCount() const;
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
  int Cursor() const { return cursor_; }
  void SetCursor(int value) { cursor_ = value; }

  // Events.
  std::function<void(THtmlPane&, const std::string& src)> OnHotSpotCovered;
  std::function<void(THtmlPane&, const std::string& src, bool& handled)> OnHotSpotClick;
  // Returns the image's bytes, or says they come later, or nothing.
  std::function<TImageRequestAnswer(THtmlPane&, const std::string& src)> OnImageRequest;
  std::function<void(THtmlPane&, const std::string& name, const std::string& language,
                     const std::string& script)>
      OnScript;
  std::function<void(THtmlPane&, const std::string& action, const std::string& target,
                     const std::string& encType, const std::string& method,
                     const std::vector<std::string>& results)>
      OnFormSubmit;
  std::function<void(THtmlPane&)> OnHistoryChange;
  std::function<void(THtmlPane&, bool processingOn)> OnProcessing;
  // Fills `buffer` with the text that stands for an include directive.
  std::function<void(THtmlPane&, const std::string& command, const std::vector<std::string>& params,
                     std::string& buffer)>
      OnInclude;
  std::function<void(THtmlPane&, const std::string& src, int loop, bool terminate)> OnSoundRequest;
  std::function<void(THtmlPane&, const std::string& httpEq, const std::string& name,
                     const std::string& content)>
      OnMeta;
  std::function<void(THtmlPane&, int delay, const std::string& url)> OnMetaRefresh;
  std::function<void(THtmlPane&, TImageObj& obj, TMouseButton button, TShiftState shift, int x,
                     int y)>
      OnImageClick;
  std::function<void(THtmlPane&, TImageObj& obj, TShiftState shift, int x, int y)> OnImageOver;
  std::function<void(THtmlPane&, TFormControlObj& obj, const std::string& onClick)> OnObjectClick;
  std::function<void(THtmlPane&, const TRightClickParameters& parameters)> OnRightClick;
  std::function<void(THtmlPane&, TMouseButton button, TShiftState shift, int x, int y)>
      OnMouseDouble;
  std::function<void(THtmlPane&, TMouseButton button, TShiftState shift, int x, int y)> OnMouseDown;
  std::function<void(THtmlPane&, TShiftState shift, int x, int y)> OnMouseMove;
  std::function<void(THtmlPane&, TMouseButton button, TShiftState shift, int x, int y)> OnMouseUp;
  std::function<void(THtmlPane&, WORD& key, TShiftState shift)> OnKeyDown;
  std::function<void(THtmlPane&, WORD& key, TShiftState shift)> OnKeyUp;
  std::function<void(THtmlPane&, char& key)> OnKeyPress;
  std::function<void(THtmlPane&)> OnEnter;
  // Files dragged from the shell over the view, at a point of the paint panel. The view
  // takes drops only with OnDragOver assigned (accept comes in true) and OLE initialised
  // on its thread; OnDragDrop then gets the files dropped where they were accepted.
  std::function<void(THtmlPane&, int x, int y, const std::vector<std::string>& files, bool& accept)>
      OnDragOver;
  std::function<void(THtmlPane&, int x, int y, const std::vector<std::string>& files)> OnDragDrop;

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
  // Ctrl+A and Ctrl+C (or WM_COPY) do these for the reader.
  void SelectAll();
  void CopyToClipboard() const;
  bool Processing() const { return processing_; }
  TSectionList& Document() { return *document_; }
  const TScrollBarArrangement& Arrangement() const { return arrangement_; }
  HWND PaintPanelHandle() const;

 protected:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

 private:
  class TBorderPanel;
  class TPaintPanel;
  friend class TPaintPanel;

  // Loading.
  void LoadFile(const std::string& name, THtmlFileType kind);
  void ClearForLoad();
  void SetProcessing(bool on);
  TParseTarget ParseTarget();
  TParseHandlers ParseHandlers();
  // Title, bases and margins from the parse, and the layout, after a parse however it ended.
  void TakeParseResults();
  void ScrollControlIntoView(const TFormControlObj& control);
  void MarkVisitedLinks();
  // The BODY's background picture through the image cache (none while images are off).
  void FetchBackground();
  void TellSoundsToStop();
  void FireMetaRefresh();

  // Layout and scrolling.
  TViewFrame Frame() const;
  void DoLayout();
  void ArrangeBars();
  void RelayoutKeepingPosition();
  void ScrollVertically(int position, bool moveBits);
  void ScrollHorizontally(int position);
  void HideFormControls();
  void OnVerticalBar(int code);
  void OnHorizontalBar(int code);
  void OnKey(WORD key);
  void OnResize();
  // Counts the documents shown. A handler of an event may load another page: after it
  // returns, nothing found in the old one may be used.
  std::uint32_t DocumentGeneration() const;
  void ApplyDefaults();
  void RefontAndRelayout(bool relayout);

  // Painting.
  void PaintPanel(HDC dc, const RECT& clip);
  void PaintBackground(HDC dc, const RECT& clip);
  void InvalidatePanel();
  void StepAnimations();
  void DrawBorder();
  bool HasFocusInside() const;

  // Mouse and navigation.
  int DocumentX(int panelX) const;
  int DocumentY(int panelY) const;
  void PanelMouseDown(TMouseButton button, WPARAM keys, int x, int y);
  void PanelMouseMove(WPARAM keys, int x, int y);
  void PanelMouseUp(TMouseButton button, WPARAM keys, int x, int y);
  void PanelDoubleClick(WPARAM keys, int x, int y);
  void TrackHotSpot(WPARAM keys, int x, int y);
  void ExtendSelection(int x, int y);
  void SetSelection(int begin, int end);
  void FollowLink(const TUrlTarget& link);
  // The left button's drag ends: released, or the capture taken away.
  void EndDrag();
  void StartAutoScroll();
  void AutoScrollStep();
  void LeaveTimerTick();
  void SetPanelCursor(int number);
  std::string WordAt(int index, int* begin, int* end) const;
  void AddVisited(const std::string& target);
  void RecordHistory(const THistoryPlace& left);
  THistoryPlace CurrentPlace() const;
  TFileNameContext NameContext() const;
  void DeliverFormSubmission();

  int width_ = 150, height_ = 150;
  std::unique_ptr<TBorderPanel> borderPanel_;
  std::unique_ptr<TPaintPanel> paintPanel_;
  std::unique_ptr<TPaneDropTarget> dropTarget_;
  std::unique_ptr<T32ScrollBar> vBar_;
  std::unique_ptr<T32ScrollBar> hBar_;
  int scrollBarWidth_ = 16;

  TGdiCanvas canvas_;
  std::unique_ptr<TWin32ControlHost> controlHost_;
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
  std::uint8_t charSet_ = DEFAULT_CHARSET;
  int marginHeight_ = 5, marginWidth_ = 10;
  std::string serverRoot_;
  THtmlPaneOptions options_ = 0;
  int cursor_ = crDefault;
  TColor background_ = 0;  // the colour the panel is filled with

  // The document shown.
  std::string currentFile_;
  THtmlFileType currentFileType_ = THtmlFileType::HTML;
  std::string currentTitle_, currentBase_, currentBaseTarget_, fallbackBase_;
  int hMargin_ = 10, vMargin_ = 5;
  int documentHeight_ = 0, widestLine_ = 0;
  bool resizedDuringLayout_ = false;
  int horizontalPosition_ = 0;
  TScrollBarArrangement arrangement_;

  // The mouse.
  std::string urlUnderMouse_, targetUnderMouse_;
  int selectionAnchor_ = -1, caret_ = 0;
  bool processing_ = false, layoutInProgress_ = false;
  bool leftButtonDown_ = false, draggingSelection_ = false, linkActivated_ = false;
  bool middleScroll_ = false;
  int middleY_ = 0;
  bool autoScrolling_ = false;
  bool leaveTimerOn_ = false;
  int panelCursor_ = crDefault;

  // Loading.
  int metaRefreshDelay_ = 0;
  std::string metaRefreshUrl_;
  std::optional<TFormSubmission> formSubmission_;
  int imageCacheCount_ = TStringBitmapList::kDefaultCacheCount;
  std::string backgroundCacheName_;  // the cache entry the background uses
};

}  // namespace htmlview
