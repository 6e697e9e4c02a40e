#pragma once

#include <windows.h>

#include "view/ViewTypes.h"

namespace htmlview {

// The message that runs work the view left for later (the task in wParam).
constexpr UINT kViewTaskMessage = 1124;

// The control's timer for each of the view's timers.
constexpr UINT_PTR ViewTimerId(TViewTimer timer) {
  return static_cast<UINT_PTR>(timer) + 1;
}

}  // namespace htmlview
