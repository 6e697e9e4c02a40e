#include "forms/HtmlForm.h"

#include "forms/DocumentForms.h"
#include "forms/FormControlObj.h"
#include "forms/FormLimits.h"
#include "forms/RadioButtonFormControlObj.h"
#include "text/AsciiCase.h"

namespace htmlview {

namespace {

std::string Kept(const TAttributeList& attributes, TAttrSymbol which) {
  return attributes.Text(which).substr(0, form_limits::kMaxText);
}

}  // namespace

ThtmlForm::ThtmlForm(TDocumentForms& document, const TAttributeList& attributes)
    : document_(document),
      method_(attributes.Text(TAttrSymbol::METHOD, "Get").substr(0, 4)),
      action_(Kept(attributes, TAttrSymbol::ACTION)),
      target_(Kept(attributes, TAttrSymbol::TARGET)),
      encType_(Kept(attributes, TAttrSymbol::ENCTYPE)) {}

ThtmlForm::~ThtmlForm() = default;

TFormControlObj& ThtmlForm::Adopt(std::unique_ptr<TFormControlObj> control) {
  if (!control->Hidden()) ++nonHiddenCount_;
  controls_.push_back(std::move(control));
  return *controls_.back();
}

void ThtmlForm::ResetControls() {
  for (const auto& control : controls_) control->ResetToInitial();
}

void ThtmlForm::SubmitTheForm(const std::string& extra) {
  if (!document_.SubmitHandler) return;
  TFormSubmission submission{action_, target_, encType_, method_, {}};
  for (const auto& control : controls_) control->AddSubmitEntries(submission.Results);
  if (!extra.empty()) submission.Results.push_back(extra);
  document_.SubmitHandler(submission);
}

void ThtmlForm::UncheckRadioGroup(const std::string& name, const TFormControlObj& keep,
                                  bool alsoInitially) {
  for (const auto& control : controls_) {
    if (control.get() == &keep || !SameText(control->Name(), name)) continue;
    if (auto* radio = dynamic_cast<TRadioButtonFormControlObj*>(control.get()))
      radio->Uncheck(alsoInitially);
  }
}

}  // namespace htmlview
