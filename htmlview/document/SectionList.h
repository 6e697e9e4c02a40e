#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <unordered_set>
#include <vector>

#include "Cell.h"
#include "FontObj.h"
#include "LineRec.h"
#include "RunStyles.h"
#include "SectionBuilding.h"
#include "canvas/Canvas.h"
#include "images/Dib.h"
#include "images/PictureLoader.h"
#include "images/PixelRect.h"

namespace htmlview {

class TImageObj;

// The document of a viewer: the body's sections, the defaults its fonts and colours
// follow, and what the control asks of it (layout, drawing, hit-tests, selection, link
// states, animation). Measures and draws through the one canvas it is given; font handles
// belong to that canvas.
class TSectionList : public TCell {
 public:
  static constexpr std::size_t kMaxFontNameLength = 32;
  static constexpr std::int32_t kDefaultClipWidth = 6000;

  explicit TSectionList(TCanvas& canvas);
  ~TSectionList() override;

  TCanvas& Canvas() const { return canvas_; }

  // Defaults (the control's properties).
  void SetFontName(const std::string& name);  // keeps the first 32 characters
  void SetPreFontName(const std::string& name);
  const std::string& FontName() const { return fontName_; }
  const std::string& PreFontName() const { return preFontName_; }
  std::int32_t FontSize = 12;
  std::uint8_t CharSet = 1;
  TColor FontColor = kBlack;
  TColor HotSpotColor = MakeColor(0, 0, 255);        // links
  TColor LinkVisitedColor = MakeColor(128, 0, 128);  // visited links
  TColor LinkActiveColor = MakeColor(0, 0, 255);     // the link under the mouse
  TColor Background = MakeColor(192, 192, 192);
  bool NoLinkUnderline = false;
  bool LinksActive = false;  // over-link colouring
  bool ShowDummyCaret = false;
  bool ShowImages = true;  // ViewImages
  std::string BitmapName;  // the background image
  std::shared_ptr<const TDIB> BackgroundBitmap;
  std::shared_ptr<const TDIB> BackgroundMask;

  // Where pictures come from; without one every image shows the not-shown picture.
  TPictureLoader* PictureLoader = nullptr;
  // The cache the loader takes pictures from, which images give them back to.
  TStringBitmapList* ImageCache = &SharedImageCache();
  // Image maps: the link of the area of map `name` (upper case) at a point of the image;
  // false for none. Unassigned: USEMAP images are not links. The document's forms answer
  // this (forms/FormsOfDocument.h).
  std::function<bool(const std::string& name, std::int32_t x, std::int32_t y, TUrlTarget& link)>
      FindMapArea;
  // Told the text of a processing error whose section was left out.
  std::function<void(const std::string&)> OnProcessingError;

  // The view.
  std::int32_t YOff = 0;  // vertical scroll position
  // The control's client height less twice its vertical margin: a table in the body with
  // a percent HEIGHT takes its share of this. The control sets it before each layout.
  std::int32_t ViewHeight = 0;
  std::int32_t SelB = 0;  // selection start and end (document indexes)
  std::int32_t SelE = 0;
  std::int32_t CaretPos = 0;  // for the dummy caret

  // The document's lists.
  std::vector<std::shared_ptr<TUrlTarget>> LinkList;  // every link, in document order
  std::vector<TImageObj*> ImageList;                  // every image
  std::vector<TImageObj*> AnimList;                   // images whose GIFs animate
  // While a cell with a colour of its own is drawn: that colour, which the radio buttons'
  // panels in its lines take instead of the document's background.
  std::optional<TColor> CellBackground;

  // A new link of the document, registered in LinkList.
  std::shared_ptr<TUrlTarget> NewLink(const std::string& url, const std::string& target);
  // Buffers for the sections being built.
  TSectionBuildings& SectionBuildings() { return buildings_; }
  // The fonts and links the sections' runs use, each kept once.
  TRunStyles& RunStyles() { return runStyles_; }
  const TRunStyles& RunStyles() const { return runStyles_; }
  // Images register and unregister themselves, and say when their picture changed (an
  // animated GIF then joins the animations).
  void AddImage(TImageObj& image);
  void RemoveImage(TImageObj& image);
  void ImageChanged(TImageObj& image);
  // Every image asks for its picture again (ViewImages was switched); relayout afterwards.
  void ReloadImages();
  // The host now has the bytes it promised for `name`: the images that wait for them take
  // their pictures. True when any did (relayout afterwards).
  bool ImagesArrived(const std::string& name);

  // The buffer a section being laid out gathers its lines in, handed on from section to
  // section, so that each keeps its lines in one allocation of their number.
  std::vector<LineRec> TakeLineBuffer() { return std::move(lineBuffer_); }
  void GiveLineBuffer(std::vector<LineRec> lines);

  // A section took a form control: layout then tells the controls where they stand.
  void NoteControl() { hasControls_ = true; }

  // Keeps a section that layout left out until the document is emptied, since the
  // document's lists may still point into it.
  void KeepDropped(std::unique_ptr<TSectionBase> section);

  // Empties the document; defaults stay. The run styles go too: no section made for the
  // document may outlive this.
  void Clear();
  // Lays out the body at `top` for `width`; returns the height, `widest` the widest line.
  std::int32_t DoLogic(std::int32_t top, std::int32_t width, std::int32_t& widest);
  // What the last layout of the body left of its indents.
  const IndentManager& IMgr() const { return imgr_; }
  // Draws what meets `clip` with the document's left edge at x.
  void Draw(const TRect& clip, std::int32_t x, std::int32_t clipWidth = kDefaultClipWidth);
  // Fonts and preset heights follow changed defaults (relayout afterwards).
  void UpdateAllFonts() {
    const TRunStyles::TMeasuringPass pass(runStyles_);
    UpdateFonts();
  }

  // Hit-tests at a point (x from the document's left edge, y in the document).
  TLinkHit LinkAt(std::int32_t x, std::int32_t y) const;
  TImageHit ImageAt(std::int32_t x, std::int32_t y) const;
  TCursorHit CursorAt(std::int32_t x, std::int32_t y) const;
  // The selected text.
  std::string SelectedText() const;

  // Link and image under the mouse; true when the mark changed (repaint).
  bool SetActiveLink(const TUrlTarget* link);
  bool SetActiveImage(TImageObj* image);
  const TUrlTarget* ActiveLink() const { return activeLink_; }
  TImageObj* ActiveImage() const { return activeImage_; }

  // Animated images: the timer runs only while there are any; a step advances those drawn
  // since the last and returns the rectangles to repaint (document pixels).
  bool HasAnimations() const { return !AnimList.empty(); }
  std::vector<TPixelRect> StepAnimations(std::uint32_t now);

  // True when the background is white, silver, the button face or a white window: bullets
  // are filled in colour and rules use silver.
  bool LightBackground() const;

  // Form controls (after a layout): the owner of the controls says whether one has the
  // focus.
  std::function<bool()> AnyControlHasFocus;
  // Told when the document has been emptied: its forms go then, after the sections that
  // point at their controls.
  std::function<void()> OnCleared;  // not when the document is destroyed

 private:
  TCanvas& canvas_;
  std::string fontName_ = "Times New Roman";
  std::string preFontName_ = "Courier New";
  const TUrlTarget* activeLink_ = nullptr;
  TImageObj* activeImage_ = nullptr;
  std::vector<std::unique_ptr<TSectionBase>> dropped_;
  TRunStyles runStyles_;
  TSectionBuildings buildings_;
  std::vector<LineRec> lineBuffer_;
  bool hasControls_ = false;  // a section took a form control since the last Clear
  IndentManager imgr_;
  std::unordered_set<TImageObj*> liveImages_;  // ImageList, to match arriving pictures
};

}  // namespace htmlview
