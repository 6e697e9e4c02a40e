#pragma once

#include "forms/FormControlObj.h"

namespace htmlview {

// INPUT TYPE "text", "password", absent or unknown: a single-line edit whose text is
// submitted; Enter in it submits its form.
class TEditFormControlObj : public TFormControlObj {
 public:
  TEditFormControlObj(ThtmlForm& form, const TAttributeList& attributes, bool password);

  bool Password() const { return password_; }
  // Width in characters: SIZE, default 20.
  std::int32_t SizeInChars() const { return sizeInChars_; }

  TControlSize Measure() const override;
  void ResetToInitial() override;
  void AddSubmitEntries(std::vector<std::string>& results) override;

 private:
  void HandleEnter() override;

  bool password_;
  std::int32_t sizeInChars_;
};

// An edit's SIZE: its number when that is positive, else the number before the text's
// first comma or space ("40,1"), else 20; at most the edit size bound.
std::int32_t EditSizeFromAttribute(const TAttributeList& attributes);

}  // namespace htmlview
