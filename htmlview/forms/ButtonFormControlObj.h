#pragma once

#include "forms/FormControlObj.h"

namespace htmlview {

// INPUT TYPE "submit", "reset" or "button": a push button. It submits nothing by itself;
// a submit button adds its NAME=caption when it submits its form.
class TButtonFormControlObj : public TFormControlObj {
 public:
  enum class TAction : std::uint8_t { Submit, Reset, Plain };

  TButtonFormControlObj(ThtmlForm& form, const TAttributeList& attributes, TAction action);

  TAction Action() const { return action_; }
  // VALUE, or "Submit", "Reset", "Button".
  const std::string& Caption() const { return caption_; }

  TControlSize Measure() const override;
  void AddSubmitEntries(std::vector<std::string>&) override {}

 private:
  void HandleClick() override;

  TAction action_;
  std::string caption_;
};

}  // namespace htmlview
