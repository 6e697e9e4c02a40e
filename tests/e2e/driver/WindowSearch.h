#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace pavina::e2e {

// Finding the program's windows and controls the way an operator names them.

// "CLASS" or "CLASS|TITLE": a visible top-level window of that class (and exact title).
HWND FindTopLevel(const std::string& windowSpec);

// Inside a window: "name:edX" (a main window control by its name), "#123" (by id),
// "class:ComboBox" (the first of that class), or else the exact caption.
HWND FindControl(HWND window, const std::string& controlSpec);

std::vector<HWND> Descendants(HWND window);
std::string TextOf(HWND window);
std::string ClassOf(HWND window);
RECT RectInParent(HWND control);

// Polls every 20 ms until found() gives a window or the time is up.
template <typename Find>
HWND WaitFor(Find found, DWORD timeoutMs) {
  const DWORD start = ::GetTickCount();
  for (;;) {
    if (HWND window = found()) return window;
    if (::GetTickCount() - start > timeoutMs) return nullptr;
    ::Sleep(20);
  }
}

}  // namespace pavina::e2e
