#include "forms/RadioButtonFormControlObj.h"

#include "forms/HtmlForm.h"

namespace htmlview {

TRadioButtonFormControlObj::TRadioButtonFormControlObj(ThtmlForm& form,
                                                       const TAttributeList& attributes)
    : TCheckableFormControlObj(form, attributes, TControlKind::RadioButton, {13, 14}) {
  // A group shows one choice: of several CHECKED buttons the last wins, now and on reset.
  if (InitiallyChecked()) form.UncheckRadioGroup(Name(), *this, true);
}

void TRadioButtonFormControlObj::Uncheck(bool alsoInitially) {
  if (alsoInitially) ForgetInitialCheck();
  if (Window()) Window()->SetChecked(false);
}

void TRadioButtonFormControlObj::HandleClick() {
  Form().UncheckRadioGroup(Name(), *this);
}

}  // namespace htmlview
