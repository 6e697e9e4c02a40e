#pragma once

#include <cstdint>
#include <string>

#include "forms/DetachedControlHost.h"

namespace htmlview {

// The user at a detached control window, as a window on the screen would report it: a
// click (a check box toggles, a radio button checks), the choice of a row of a list (a
// multiple list box toggles it), typed text (cut at the control's MAXLENGTH), Enter. Each
// takes the focus first.
void UserClick(TDetachedControlWindow& window);
void UserChoose(TDetachedControlWindow& window, std::int32_t index);
void UserType(TDetachedControlWindow& window, const std::string& text);
void UserPressEnter(TDetachedControlWindow& window);

}  // namespace htmlview
