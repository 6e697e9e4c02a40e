#pragma once

#include "forms/OptionListControlObj.h"

namespace htmlview {

// Any other SELECT: a drop-down list with one chosen option.
class TComboFormControlObj : public TOptionListControlObj {
 public:
  TComboFormControlObj(ThtmlForm& form, const TAttributeList& attributes)
      : TOptionListControlObj(form, attributes, TControlKind::DropDownList, false) {}

  TControlSize Measure() const override {
    // One row inside the frame of the closed list.
    return {LongestOptionChars() * WidthOfA() + 30, RowHeight() + 8};
  }
};

}  // namespace htmlview
