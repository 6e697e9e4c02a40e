// A size that comes while a message box of a layout is open: the window posts it and the
// view lays the page out after the layout, not inside it.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "PaneTestWindow.h"

namespace htmlview {

namespace {
// Each tick closes the message boxes of the thread, counting the most that were open at
// once; at the first box it resizes the pane given.
THtmlPane* resizeAtFirstBox = nullptr;
int mostOpenAtOnce = 0;

BOOL CALLBACK CloseBox(HWND window, LPARAM open) {
  char name[16] = {};
  ::GetClassNameA(window, name, sizeof(name));
  if (std::strcmp(name, "#32770") != 0 || !::IsWindowVisible(window)) return TRUE;
  ++*reinterpret_cast<int*>(open);
  ::PostMessageA(window, WM_COMMAND, IDOK, 0);
  return TRUE;
}

void CALLBACK WhileABoxIsOpen(HWND, UINT, UINT_PTR, DWORD) {
  int open = 0;
  ::EnumThreadWindows(::GetCurrentThreadId(), CloseBox, reinterpret_cast<LPARAM>(&open));
  if (open == 0) return;
  mostOpenAtOnce = std::max(mostOpenAtOnce, open);
  if (THtmlPane* pane = resizeAtFirstBox) {
    resizeAtFirstBox = nullptr;
    pane->SetBounds(0, 0, 200, 200);
  }
}

TEST(PaneLayout, ASizeThatComesWhileALayoutShowsAMessageIsTakenAfterIt) {
  std::string columns;
  for (int i = 0; i < 201; ++i) columns += "<td>c</td>";
  TPaneTestWindow window(300, 200);
  THtmlPane& pane = window.Pane();
  resizeAtFirstBox = &pane;
  const UINT_PTR timer = ::SetTimer(nullptr, 0, 10, WhileABoxIsOpen);
  // "Table has too many Columns" in a message box, during the layout.
  pane.View().OpenDocumentText(LongPage() + "<table><tr>" + columns + "</tr></table>");
  MSG message{};
  while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageA(&message);
  ::KillTimer(nullptr, timer);
  resizeAtFirstBox = nullptr;
  EXPECT_EQ(mostOpenAtOnce, 1);
  EXPECT_EQ(pane.Width(), 200);
  const int height = pane.View().DocumentHeight();
  pane.View().RelayoutDocument();
  EXPECT_EQ(pane.View().DocumentHeight(), height) << "laid out for the size it has";
}
}  // namespace

}  // namespace htmlview
