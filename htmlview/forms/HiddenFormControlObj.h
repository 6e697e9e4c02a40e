#pragma once

#include "forms/FormControlObj.h"

namespace htmlview {

// INPUT TYPE "hidden": no window, no place in the text; submits NAME=VALUE.
class THiddenFormControlObj : public TFormControlObj {
 public:
  using TFormControlObj::TFormControlObj;

  TControlSize Measure() const override { return {}; }
  bool TakesPlace() const override { return false; }
  bool Hidden() const override { return true; }
  void AddSubmitEntries(std::vector<std::string>& results) override { AddEntry(results, Value()); }
};

}  // namespace htmlview
