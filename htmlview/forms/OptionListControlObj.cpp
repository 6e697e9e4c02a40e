#include "forms/OptionListControlObj.h"

#include <algorithm>

#include "forms/DocumentForms.h"
#include "forms/FormLimits.h"

namespace htmlview {

TOptionListControlObj::TOptionListControlObj(ThtmlForm& form, const TAttributeList& attributes,
                                             TControlKind kind, bool multiSelect)
    : TFormControlObj(form, attributes), multiSelect_(multiSelect) {
  TControlSpec spec;
  spec.Kind = kind;
  spec.Font = PreFont();
  spec.MultiSelect = multiSelect;
  MakeWindow(spec);
}

bool TOptionListControlObj::AddOption(const std::string& text, bool selected,
                                      const std::optional<std::string>& value) {
  TOptionObj option;
  option.Text = TrimmedText(text).substr(0, form_limits::kMaxOptionText);
  if (option.Text.empty()) return false;
  if (options_.size() >= form_limits::kMaxOptionsPerSelect || !Document().TakeOptions(1))
    return false;
  if (value) option.Value = value->substr(0, form_limits::kMaxOptionText);
  option.Selected = selected;
  options_.push_back(std::move(option));
  return true;
}

void TOptionListControlObj::FinishOptions() {
  if (!Window()) return;
  std::vector<std::string> rows;
  rows.reserve(options_.size());
  for (const TOptionObj& option : options_) rows.push_back(option.Text);
  Window()->SetItems(rows);
  ResetToInitial();
}

void TOptionListControlObj::ResetToInitial() {
  TControlWindow* window = Window();
  if (!window || options_.empty()) return;
  const auto count = static_cast<std::int32_t>(options_.size());
  if (multiSelect_) {
    for (std::int32_t i = 0; i < count; ++i)
      window->SetItemSelected(i, options_[static_cast<std::size_t>(i)].Selected);
  } else {
    std::int32_t chosen = 0;  // the last SELECTED option, else the first
    for (std::int32_t i = 0; i < count; ++i)
      if (options_[static_cast<std::size_t>(i)].Selected) chosen = i;
    window->SetItemSelected(chosen, true);
  }
  window->SetTopIndex(0);
}

void TOptionListControlObj::AddSubmitEntries(std::vector<std::string>& results) {
  if (!Window()) return;
  for (std::size_t i = 0; i < options_.size(); ++i)
    if (Window()->ItemSelected(static_cast<std::int32_t>(i)))
      AddEntry(results, options_[i].SubmitValue());
}

std::int32_t TOptionListControlObj::LongestOptionChars() const {
  std::size_t longest = 3;
  for (const TOptionObj& option : options_) longest = std::max(longest, option.Text.size());
  return static_cast<std::int32_t>(longest);
}

std::int32_t TOptionListControlObj::WidthOfA() const {
  return Host().MeasureText(PreFont(), "A").Width;
}

std::int32_t TOptionListControlObj::RowHeight() const {
  return Host().MeasureText(PreFont(), "A").Height;
}

}  // namespace htmlview
