#include "testing/ControlUser.h"

namespace htmlview {

void UserClick(TDetachedControlWindow& window) {
  window.SetFocus();
  if (window.Spec().Kind == TControlKind::CheckBox) window.SetChecked(!window.Checked());
  if (window.Spec().Kind == TControlKind::RadioButton) window.SetChecked(true);
  window.Events().ControlClicked();
}

void UserChoose(TDetachedControlWindow& window, std::int32_t index) {
  window.SetFocus();
  window.SetItemSelected(index, window.Spec().MultiSelect ? !window.ItemSelected(index) : true);
  window.Events().ControlClicked();
}

void UserType(TDetachedControlWindow& window, const std::string& text) {
  window.SetFocus();
  const std::int32_t limit = window.Spec().MaxLength;
  window.SetText(limit > 0 && text.size() > static_cast<std::size_t>(limit)
                     ? text.substr(0, static_cast<std::size_t>(limit))
                     : text);
}

void UserPressEnter(TDetachedControlWindow& window) {
  window.SetFocus();
  window.Events().ControlEnterPressed();
}

}  // namespace htmlview
