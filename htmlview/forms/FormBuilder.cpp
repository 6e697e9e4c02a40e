#include "forms/FormBuilder.h"

#include "forms/ButtonFormControlObj.h"
#include "forms/CheckBoxFormControlObj.h"
#include "forms/ComboFormControlObj.h"
#include "forms/DocumentForms.h"
#include "forms/EditFormControlObj.h"
#include "forms/HiddenFormControlObj.h"
#include "forms/ImageFormControlObj.h"
#include "forms/ListBoxFormControlObj.h"
#include "forms/RadioButtonFormControlObj.h"
#include "forms/TextAreaFormControlObj.h"
#include "text/AsciiCase.h"

namespace htmlview {

namespace {

std::string InputType(const TAttributeList& attributes) {
  return LowerText(attributes.Text(TAttrSymbol::TYPE).substr(0, 20));
}

std::unique_ptr<TFormControlObj> MakeInput(ThtmlForm& form, const TAttributeList& attributes) {
  using TAction = TButtonFormControlObj::TAction;
  const std::string type = InputType(attributes);
  if (type == "submit")
    return std::make_unique<TButtonFormControlObj>(form, attributes, TAction::Submit);
  if (type == "reset")
    return std::make_unique<TButtonFormControlObj>(form, attributes, TAction::Reset);
  if (type == "button")
    return std::make_unique<TButtonFormControlObj>(form, attributes, TAction::Plain);
  if (type == "checkbox") return std::make_unique<TCheckBoxFormControlObj>(form, attributes);
  if (type == "radio") return std::make_unique<TRadioButtonFormControlObj>(form, attributes);
  if (type == "hidden") return std::make_unique<THiddenFormControlObj>(form, attributes);
  if (type == "image") return std::make_unique<TImageFormControlObj>(form, attributes);
  return std::make_unique<TEditFormControlObj>(form, attributes, type == "password");
}

}  // namespace

TFormBuilder::TFormBuilder(TDocumentForms& document) : document_(document) {}

TFormBuilder::~TFormBuilder() = default;

ThtmlForm* TFormBuilder::BeginForm(const TAttributeList& attributes) {
  currentForm_ = document_.AddForm(attributes);
  formGeneration_ = document_.Generation();
  return currentForm_;
}

ThtmlForm* TFormBuilder::CurrentForm() const {
  // A document emptied since has freed the form.
  return formGeneration_ == document_.Generation() ? currentForm_ : nullptr;
}

void TFormBuilder::EndForm() {
  currentForm_ = nullptr;
}

ThtmlForm* TFormBuilder::FormForControl() {
  if (!document_.CanAddControl()) return nullptr;
  if (!CurrentForm()) {
    currentForm_ = document_.AddForm(TAttributeList());
    formGeneration_ = document_.Generation();
  }
  return currentForm_;
}

template <typename TControl>
TControl* TFormBuilder::Adopt(std::unique_ptr<TControl> control) {
  TControl* made = control.get();
  return document_.AddControl(std::move(control)) ? made : nullptr;
}

TFormControlObj* TFormBuilder::AddInput(const TAttributeList& attributes) {
  ThtmlForm* form = FormForControl();
  return form ? Adopt(MakeInput(*form, attributes)) : nullptr;
}

TOptionListControlObj* TFormBuilder::BeginSelect(const TAttributeList& attributes) {
  ThtmlForm* form = FormForControl();
  if (!form) return nullptr;
  if (attributes.Has(TAttrSymbol::MULTIPLE) || attributes.Number(TAttrSymbol::SIZE) > 1)
    return Adopt(std::make_unique<TListBoxFormControlObj>(*form, attributes));
  return Adopt(std::make_unique<TComboFormControlObj>(*form, attributes));
}

void TFormBuilder::AddOption(TOptionListControlObj& select, const std::string& text, bool selected,
                             const std::optional<std::string>& value) {
  select.AddOption(text, selected, value);
}

void TFormBuilder::EndSelect(TOptionListControlObj& select) {
  select.FinishOptions();
}

TTextAreaFormControlObj* TFormBuilder::AddTextArea(const TAttributeList& attributes,
                                                   const std::string& text) {
  ThtmlForm* form = FormForControl();
  if (!form) return nullptr;
  TTextAreaFormControlObj* textArea =
      Adopt(std::make_unique<TTextAreaFormControlObj>(*form, attributes));
  if (textArea) textArea->SetInitialText(text);
  return textArea;
}

void TFormBuilder::BeginMap(const TAttributeList& attributes) {
  openMap_ = std::make_unique<TMapItem>(attributes.Text(TAttrSymbol::NAME));
}

void TFormBuilder::AddArea(const TAttributeList& attributes) {
  if (openMap_) openMap_->AddArea(attributes);
}

void TFormBuilder::EndMap() {
  if (openMap_) document_.AddMap(std::move(openMap_));
  openMap_.reset();
}

void TFormBuilder::AbandonMap() {
  openMap_.reset();
}

}  // namespace htmlview
