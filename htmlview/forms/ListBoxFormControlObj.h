#pragma once

#include "forms/OptionListControlObj.h"

namespace htmlview {

// SELECT with MULTIPLE or with SIZE above 1: a list box (several choices with MULTIPLE).
class TListBoxFormControlObj : public TOptionListControlObj {
 public:
  TListBoxFormControlObj(ThtmlForm& form, const TAttributeList& attributes);

  // SIZE, or without it the number of options limited to 1..8.
  std::int32_t Rows() const;

  TControlSize Measure() const override;

 private:
  std::int32_t sizeRows_;  // from SIZE, 0 when not given
};

}  // namespace htmlview
