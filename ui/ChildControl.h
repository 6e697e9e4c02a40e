#pragma once

#include <windows.h>

#include <string>

namespace pavina::ui {

// Creating the system's controls inside our windows.

HWND CreateChildControl(HWND parent, const char* className, const char* text, DWORD style,
                        DWORD exStyle, int left, int top, int width, int height, int id,
                        HFONT font);

// Sets a static text's caption and sizes it to the text, as an auto-sizing label does.
void SetAutoSizedText(HWND staticText, const char* text);

// Enables or disables a control; a disabled control that had the focus hands it on, so
// the keyboard never ends on a dead control.
void EnableControl(HWND control, bool enabled);

std::string WindowText(HWND window);

}  // namespace pavina::ui
