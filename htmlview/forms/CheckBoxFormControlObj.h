#pragma once

#include "forms/CheckableFormControlObj.h"

namespace htmlview {

// INPUT TYPE "checkbox": a 13 x 13 check box; submits NAME=VALUE ("on" without VALUE)
// while checked.
class TCheckBoxFormControlObj : public TCheckableFormControlObj {
 public:
  TCheckBoxFormControlObj(ThtmlForm& form, const TAttributeList& attributes)
      : TCheckableFormControlObj(form, attributes, TControlKind::CheckBox, {13, 13}) {}
};

}  // namespace htmlview
