#include "forms/FormControlObj.h"

#include "forms/DocumentForms.h"
#include "forms/FormLimits.h"
#include "forms/HtmlForm.h"

namespace htmlview {

namespace {
// Where windows wait before their line is drawn, and where unplaced ones go while a
// control has the focus.
constexpr std::int32_t kOffScreenTop = -400;
constexpr std::int32_t kOffScreenLeft = -4000;
constexpr std::int32_t kPreFontPoints = 10;
}  // namespace

TFormControlObj::TFormControlObj(ThtmlForm& form, const TAttributeList& attributes)
    : form_(form),
      name_(attributes.Text(TAttrSymbol::NAME).substr(0, form_limits::kMaxText)),
      value_(attributes.Text(TAttrSymbol::VALUE).substr(0, form_limits::kMaxText)),
      onClick_(attributes.Text(TAttrSymbol::ONCLICK).substr(0, form_limits::kMaxText)),
      hasOnClick_(attributes.Has(TAttrSymbol::ONCLICK)) {}

TFormControlObj::~TFormControlObj() = default;

TDocumentForms& TFormControlObj::Document() const {
  return form_.Document();
}

TControlHost& TFormControlObj::Host() const {
  return Document().Host();
}

TControlFont TFormControlObj::PreFont() const {
  return TControlFont{Document().PreFontName(), kPreFontPoints};
}

void TFormControlObj::MakeWindow(TControlSpec spec) {
  window_ = Host().CreateControl(spec, *this);
  if (window_) window_->SetBounds(0, kOffScreenTop, 0, 0);
}

void TFormControlObj::PlaceAt(std::int32_t x, std::int32_t y) {
  PlaceAt(x, y, Document().Background());
}

void TFormControlObj::PlaceAt(std::int32_t x, std::int32_t y, TColor background) {
  placed_ = true;
  placedLeft_ = x;
  placedTop_ = y;
  if (!window_) return;
  const TControlSize size = Measure();
  window_->SetBounds(x, y, size.Width, size.Height);
  window_->SetBackground(background);
  window_->SetVisible(true);
}

void TFormControlObj::HideAfterLayout(bool offScreen) {
  placed_ = false;
  if (!window_) return;
  if (offScreen) {
    const TControlSize size = Measure();
    window_->SetBounds(kOffScreenLeft, placedTop_, size.Width, size.Height);
    // Shown, not hidden: the focus may still move to it, and then it is scrolled into view.
    window_->SetVisible(true);
  } else {
    window_->SetVisible(false);
  }
}

void TFormControlObj::AddEntry(std::vector<std::string>& results, const std::string& value) const {
  if (!name_.empty()) results.push_back(name_ + "=" + value);
}

void TFormControlObj::Clicked() {
  TDocumentForms& document = Document();
  if (hasOnClick_ && document.ObjectClickHandler) {
    // The handler may load another page, which frees this control.
    const std::uint32_t generation = document.Generation();
    document.ObjectClickHandler(*this, onClick_);
    if (document.Generation() != generation) return;
  }
  HandleClick();
}

void TFormControlObj::EnterPressed() {
  HandleEnter();
}

void TFormControlObj::Focused() {
  TDocumentForms& document = Document();
  if (document.ControlFocusedHandler) document.ControlFocusedHandler(*this);
}

}  // namespace htmlview
