#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "canvas/ControlHost.h"
#include "document/Attributes.h"
#include "document/InlineControlObj.h"

namespace htmlview {

class TDocumentForms;
class ThtmlForm;

// Width and height a control takes in its line.
struct TControlSize {
  std::int32_t Width = 0;
  std::int32_t Height = 0;
};

// Base of every form control: its attributes, its form, and the window that shows it
// (none for hidden fields and image controls). Its section measures and places it as an
// object inside a line.
class TFormControlObj : public TInlineControlObj, private TControlEvents {
 public:
  TFormControlObj(ThtmlForm& form, const TAttributeList& attributes);
  ~TFormControlObj() override;
  TFormControlObj(const TFormControlObj&) = delete;
  TFormControlObj& operator=(const TFormControlObj&) = delete;

  ThtmlForm& Form() const { return form_; }
  TDocumentForms& Document() const;
  const std::string& Name() const { return name_; }
  const std::string& Value() const { return value_; }
  const std::string& OnClick() const { return onClick_; }
  TControlWindow* Window() const { return window_.get(); }

  // Size in its line, measured through the document's control host.
  virtual TControlSize Measure() const = 0;
  std::int32_t Width() const override { return Measure().Width; }
  std::int32_t Height() const override { return Measure().Height; }
  // Hidden fields neither show nor count among the form's visible controls.
  virtual bool Hidden() const { return false; }

  // Drawing: the window goes to the position of its line and shows; the radio button's
  // panel takes `background`, the colour behind its line (the document's when not given).
  void PlaceAt(std::int32_t x, std::int32_t y) override;
  void PlaceAt(std::int32_t x, std::int32_t y, TColor background);
  bool Placed() const { return placed_; }
  std::int32_t PlacedLeft() const { return placedLeft_; }
  std::int32_t PlacedTop() const { return placedTop_; }
  // After a layout nothing is placed until drawing places it again. Meanwhile the window
  // hides, or shows far off to the left when a control has the focus (hiding a focused
  // window would take the focus away, and hidden ones could not take it in turn).
  void HideAfterLayout(bool offScreen) override;
  bool HasFocus() const override { return window_ && window_->Focused(); }

  // The state the page gave the control.
  virtual void ResetToInitial() {}
  // Adds "NAME=VALUE" entries for a submission of its form.
  virtual void AddSubmitEntries(std::vector<std::string>& results) = 0;

  // What the user did (the window reports; tests and the image call these too).
  void Clicked();
  void EnterPressed();
  void Focused();

 protected:
  // Creates the window, hidden, off-screen above the page until drawing places it.
  void MakeWindow(TControlSpec spec);
  TControlHost& Host() const;
  // The preformatted font at 10 points, which edits, lists and text areas use.
  TControlFont PreFont() const;
  // "NAME=value", or nothing for a control without a NAME, which cannot be told apart in
  // a submission.
  void AddEntry(std::vector<std::string>& results, const std::string& value) const;

  virtual void HandleClick() {}
  virtual void HandleEnter() {}

 private:
  void ControlClicked() override { Clicked(); }
  void ControlEnterPressed() override { EnterPressed(); }
  void ControlFocused() override { Focused(); }

  ThtmlForm& form_;
  std::string name_;
  std::string value_;
  std::string onClick_;
  bool hasOnClick_ = false;
  std::unique_ptr<TControlWindow> window_;
  TControlSize windowSize_;
  bool placed_ = false;
  std::int32_t placedLeft_ = 0;
  std::int32_t placedTop_ = 0;
};

}  // namespace htmlview
