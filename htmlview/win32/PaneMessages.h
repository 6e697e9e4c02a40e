#pragma once

#include <windows.h>

namespace htmlview {

// Messages and timers the viewer sends itself.
constexpr UINT kFormSubmitMessage = 1124;  // deliver a form submission after the click
constexpr UINT kAutoScrollMessage = 1126;  // run the auto-scroll loop
constexpr UINT_PTR kLeaveTimerId = 1;      // on the control: has the mouse left the panel?
constexpr UINT kLeaveTimerMs = 200;
constexpr UINT_PTR kAnimationTimerId = 2;  // on the paint panel: GIF frames
constexpr UINT kAnimationTimerMs = 50;
constexpr UINT_PTR kAutoScrollTimerId = 3;  // on the control: the next auto-scroll step
constexpr UINT kAutoScrollStepMs = 100;

}  // namespace htmlview
