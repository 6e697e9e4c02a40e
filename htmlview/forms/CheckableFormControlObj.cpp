#include "forms/CheckableFormControlObj.h"

namespace htmlview {

TCheckableFormControlObj::TCheckableFormControlObj(ThtmlForm& form,
                                                   const TAttributeList& attributes,
                                                   TControlKind kind, TControlSize size)
    : TFormControlObj(form, attributes),
      initiallyChecked_(attributes.Has(TAttrSymbol::CHECKED)),
      size_(size) {
  TControlSpec spec;
  spec.Kind = kind;
  spec.Checked = initiallyChecked_;
  MakeWindow(spec);
}

void TCheckableFormControlObj::ResetToInitial() {
  if (Window()) Window()->SetChecked(initiallyChecked_);
}

void TCheckableFormControlObj::AddSubmitEntries(std::vector<std::string>& results) {
  if (Checked()) AddEntry(results, SubmitValue());
}

}  // namespace htmlview
