#include "forms/ButtonFormControlObj.h"

#include "forms/HtmlForm.h"

namespace htmlview {

namespace {

// Buttons carry the program's window text font, like the buttons of its dialogs.
const TControlFont kButtonFont{"MS Sans Serif", 8};

const char* DefaultCaption(TButtonFormControlObj::TAction action) {
  switch (action) {
    case TButtonFormControlObj::TAction::Submit:
      return "Submit";
    case TButtonFormControlObj::TAction::Reset:
      return "Reset";
    case TButtonFormControlObj::TAction::Plain:
      break;
  }
  return "Button";
}

}  // namespace

TButtonFormControlObj::TButtonFormControlObj(ThtmlForm& form, const TAttributeList& attributes,
                                             TAction action)
    : TFormControlObj(form, attributes),
      action_(action),
      caption_(Value().empty() ? DefaultCaption(action) : Value()) {
  TControlSpec spec;
  spec.Kind = TControlKind::PushButton;
  spec.Font = kButtonFont;
  spec.Text = caption_;
  MakeWindow(spec);
}

TControlSize TButtonFormControlObj::Measure() const {
  const TControlTextSize text = Host().MeasureText(kButtonFont, caption_);
  return {text.Width + 20, text.Height + 8};
}

void TButtonFormControlObj::HandleClick() {
  switch (action_) {
    case TAction::Submit:
      Form().SubmitTheForm(Name().empty() ? std::string() : Name() + "=" + caption_);
      break;
    case TAction::Reset:
      Form().ResetControls();
      break;
    case TAction::Plain:
      break;
  }
}

}  // namespace htmlview
