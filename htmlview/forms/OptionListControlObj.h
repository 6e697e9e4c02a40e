#pragma once

#include <optional>

#include "forms/FormControlObj.h"

namespace htmlview {

// One OPTION of a SELECT.
struct TOptionObj {
  std::string Text;
  std::optional<std::string> Value;  // VALUE when given
  bool Selected = false;             // SELECTED
  // What a submission sends for the option: its VALUE, or its text when it has none.
  const std::string& SubmitValue() const { return Value ? *Value : Text; }
};

// What list boxes and drop-down lists share: the options of a SELECT, the rows of the
// window, the initial choice, and NAME=value for each chosen option.
class TOptionListControlObj : public TFormControlObj {
 public:
  const std::vector<TOptionObj>& Options() const { return options_; }
  bool MultiSelect() const { return multiSelect_; }

  // An OPTION as the parser closed it: the text is trimmed and cut to 255 characters (an
  // empty one is dropped), VALUE cut to 255. False when dropped, also beyond the bounds
  // on options.
  bool AddOption(const std::string& text, bool selected, const std::optional<std::string>& value);
  // The SELECT has ended: the window takes the options as rows and the initial choice.
  void FinishOptions();

  void ResetToInitial() override;
  void AddSubmitEntries(std::vector<std::string>& results) override;

 protected:
  TOptionListControlObj(ThtmlForm& form, const TAttributeList& attributes, TControlKind kind,
                        bool multiSelect);
  // The longest option text in characters, at least 3.
  std::int32_t LongestOptionChars() const;
  std::int32_t WidthOfA() const;
  std::int32_t RowHeight() const;

 private:
  std::vector<TOptionObj> options_;
  bool multiSelect_;
};

}  // namespace htmlview
