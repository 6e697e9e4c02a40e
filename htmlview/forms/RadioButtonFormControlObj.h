#pragma once

#include "forms/CheckableFormControlObj.h"

namespace htmlview {

// INPUT TYPE "radio": a radio button in a 13 x 14 panel. Checking one unchecks the others
// of its form whose NAME is the same in any case.
class TRadioButtonFormControlObj : public TCheckableFormControlObj {
 public:
  TRadioButtonFormControlObj(ThtmlForm& form, const TAttributeList& attributes);

  // Unchecks the button; `alsoInitially` makes a reset leave it unchecked too.
  void Uncheck(bool alsoInitially);

 private:
  void HandleClick() override;
};

}  // namespace htmlview
