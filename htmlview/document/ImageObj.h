#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "Attributes.h"
#include "FontObj.h"
#include "images/ImageSizing.h"
#include "images/PictureLoader.h"

namespace htmlview {

class TSectionList;
class TInlineControlObj;

enum class TImageAlign : std::uint8_t { Top = 0, Middle = 1, Bottom = 2, Left = 3, Right = 4 };

// ALIGN of an IMG, compared in upper case: TOP, MIDDLE or ABSMIDDLE, LEFT, RIGHT; anything
// else is bottom.
TImageAlign ImageAlignFromText(const std::string& text);

// An object laid out inside a line that may float beside the text.
class TFloatingObj {
 public:
  virtual ~TFloatingObj() = default;

  std::int32_t Pos = 0;  // buffer position of its mark in its section
  TImageAlign ObjAlign = TImageAlign::Bottom;
  std::int32_t HSpace = 0;
  std::int32_t VSpace = 0;
  // The drawn size, border included; set by Measure.
  std::int32_t ImageWidth = 0;
  std::int32_t ImageHeight = 0;
  // Where layout put it: left x in its cell and top y in the document.
  std::int32_t DrawX = 0;
  std::int32_t DrawY = 0;

  bool IsFloating() const {
    return ObjAlign == TImageAlign::Left || ObjAlign == TImageAlign::Right;
  }
};

// An inline image (IMG).
class TImageObj : public TFloatingObj {
 public:
  // Reads the IMG attributes and asks the document's picture loader for the picture
  // (none asked while images are off). `link` is the link the image stands in, if any.
  TImageObj(TSectionList& doc, const TAttributeList& attributes, std::shared_ptr<TUrlTarget> link);
  ~TImageObj() override;
  TImageObj(const TImageObj&) = delete;
  TImageObj& operator=(const TImageObj&) = delete;

  std::string Source;
  std::string Alt;
  TImageSizeAttributes SpecSize;
  bool NoBorder = false;
  bool Transparent = false;  // TRANSP
  bool IsMap = false;
  std::string UseMap;   // upper case, without "#"
  bool Active = false;  // animates only under the mouse
  std::shared_ptr<TUrlTarget> Link;
  TInlineControlObj* FormControl = nullptr;  // the image button it stands for, if any

  const TImageForSource& Picture() const { return picture_; }
  // A picture that arrives later (pending bytes) or again (images switched on).
  void SetPicture(TImageForSource picture);
  // Asks the document's picture loader again (the not-shown picture while images are off).
  void Fetch();
  // The natural size: a GIF's logical screen, a bitmap's own; 0 for the built-in pictures.
  TImageSize NaturalSize() const;
  bool IsBuiltIn() const { return picture_.BuiltIn != TBuiltInPicture::None || !HasPicture(); }
  bool HasPicture() const { return picture_.Bitmap || picture_.Gif; }
  // A linked image without BORDER=0 is framed: one pixel more on each side.
  bool HasBorder() const { return Link && !NoBorder; }
  TGIFImage* Gif() const { return picture_.Gif.get(); }

  // The drawn size (border included) in a line `availableWidth` wide.
  TImageSize SizeFor(std::int32_t availableWidth) const;
  // Sets ImageWidth and ImageHeight to SizeFor.
  void Measure(std::int32_t availableWidth);
  // Draws the image with its box's top left at (x, y): picture, or built-in picture with
  // its sunken box and ALT text; the link frame when it has a border.
  void Draw(std::int32_t x, std::int32_t y);
  // Where the last Draw put it, for repainting an animation step.
  std::int32_t DrawnX() const { return drawnX_; }
  std::int32_t DrawnY() const { return drawnY_; }

  // Animation state kept by the document: reset after every layout, started at the next
  // timer tick.
  bool AnimationStarted = false;
  // In the document's animation list: registering looks here instead of searching the
  // list, which a page of many animated pictures would make quadratic.
  bool InAnimList = false;

 private:
  // The ALT text's extent in 8-point Arial.
  TImageSize AltTextSize() const;
  void DrawAltBox(std::int32_t x, std::int32_t y, std::int32_t width, std::int32_t height);

  void ReleasePicture();

  TSectionList& doc_;
  TImageForSource picture_;
  std::int32_t drawnX_ = 0;
  std::int32_t drawnY_ = 0;
};

}  // namespace htmlview
