// A help window closed with the main window while its viewer's layout shows a message box:
// the layout finishes in memory still held, and the window is freed once the loop is back
// at the top.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "GuardedHeap.h"
#include "HelpForm.h"
#include "MessageLoop.h"

namespace pavina::ui {
namespace {

HWND closeAtFirstBox = nullptr;
int boxesSeen = 0;
std::size_t formsWhileClosed = 99;

BOOL CALLBACK CloseBox(HWND window, LPARAM) {
  char name[16] = {};
  ::GetClassNameA(window, name, sizeof(name));
  if (std::strcmp(name, "#32770") != 0 || !::IsWindowVisible(window)) return TRUE;
  ++boxesSeen;
  ::PostMessageA(window, WM_COMMAND, IDOK, 0);
  return TRUE;
}

void CALLBACK WhileABoxIsOpen(HWND, UINT, UINT_PTR, DWORD) {
  boxesSeen = 0;
  ::EnumThreadWindows(::GetCurrentThreadId(), CloseBox, 0);
  if (boxesSeen == 0 || !closeAtFirstBox) return;
  ::DestroyWindow(closeAtFirstBox);  // the operator presses Exit in the main window
  closeAtFirstBox = nullptr;
  formsWhileClosed = THelpForm::Count();
}

TEST(HelpForm, ClosedWithTheMainWindowWhileALayoutShowsAMessage) {
  char folder[MAX_PATH] = {};
  ::GetTempPathA(MAX_PATH, folder);
  const std::string path = std::string(folder) + "pavina-help-box.htm";
  std::string page = "<h1>Help</h1><table><tr>";
  for (int i = 0; i < 201; ++i) page += "<td>c</td>";  // "Table has too many Columns"
  page += "</tr></table>";
  FILE* file = std::fopen(path.c_str(), "wb");
  ASSERT_NE(file, nullptr);
  std::fwrite(page.data(), 1, page.size(), file);
  std::fclose(file);

  TMessageLoop loop;
  HWND mainWindow = ::CreateWindowExA(0, "STATIC", "Main", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0,
                                      400, 300, nullptr, nullptr, nullptr, nullptr);
  ASSERT_NE(mainWindow, nullptr);
  closeAtFirstBox = mainWindow;
  const UINT_PTR timer = ::SetTimer(nullptr, 0, 10, WhileABoxIsOpen);
  {
    htmlview::TGuardedHeap guard;  // a use of the freed viewer stops the test program
    THelpForm::Create(loop, mainWindow).ShowHelpFile(path);
  }
  ::KillTimer(nullptr, timer);
  std::remove(path.c_str());
  ASSERT_EQ(closeAtFirstBox, nullptr) << "no message box came";
  EXPECT_FALSE(::IsWindow(mainWindow));
  EXPECT_EQ(formsWhileClosed, 1u) << "freed under the layout";
  loop.ProcessPendingEvents();
  EXPECT_EQ(THelpForm::Count(), 0u);
}

}  // namespace
}  // namespace pavina::ui
