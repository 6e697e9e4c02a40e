#pragma once

#include "forms/FormControlObj.h"

namespace htmlview {

// What check boxes and radio buttons share: a fixed size, raised by the text's descent, a
// checked state from CHECKED, and NAME=VALUE submitted while checked.
class TCheckableFormControlObj : public TFormControlObj {
 public:
  bool InitiallyChecked() const { return initiallyChecked_; }
  bool Checked() const { return Window() && Window()->Checked(); }

  TControlSize Measure() const override { return size_; }
  bool RaisedByDescent() const override { return true; }
  void ResetToInitial() override;
  void AddSubmitEntries(std::vector<std::string>& results) override;

 protected:
  TCheckableFormControlObj(ThtmlForm& form, const TAttributeList& attributes, TControlKind kind,
                           TControlSize size);
  // What a submission sends while checked.
  std::string SubmitValue() const { return Value().empty() ? "on" : Value(); }
  void ForgetInitialCheck() { initiallyChecked_ = false; }

 private:
  bool initiallyChecked_;
  TControlSize size_;
};

}  // namespace htmlview
