// Form controls as real child windows of the paint panel: state in and out, and the
// events a hand would cause.
#include <windows.h>
#undef TextOut  // the canvas's, not the system's

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "PaneTestWindow.h"
#include "win32/Win32ControlHost.h"

namespace htmlview {

namespace {
struct TEventLog : TControlEvents {
  std::vector<std::string> events;
  void ControlClicked() override { events.push_back("click"); }
  void ControlEnterPressed() override { events.push_back("enter"); }
  void ControlFocused() override { events.push_back("focus"); }
};

TControlSpec Spec(TControlKind kind) {
  TControlSpec spec;
  spec.Kind = kind;
  spec.Font = {"Arial", 10};
  return spec;
}

HWND WindowAt(HWND parent, const char* className) {
  for (HWND child = ::GetWindow(parent, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
    char name[64] = {};
    ::GetClassNameA(child, name, sizeof(name));
    if (lstrcmpiA(name, className) == 0) return child;
    if (HWND inner = WindowAt(child, className)) return inner;
  }
  return nullptr;
}

TEST(Win32ControlHost, ControlsKeepTheirStateAndReportWhatTheUserDoes) {
  TPaneTestWindow window(300, 200);
  HWND panel = window.Pane().PaintPanelHandle();
  TWin32ControlHost host(panel);
  TEventLog log;

  TControlSpec editSpec = Spec(TControlKind::Edit);
  editSpec.Text = "first";
  auto edit = host.CreateControl(editSpec, log);
  edit->SetBounds(10, 10, 100, 22);
  edit->SetVisible(true);
  EXPECT_TRUE(edit->Visible());
  EXPECT_EQ(edit->Text(), "first");
  edit->SetText("second");
  EXPECT_EQ(edit->Text(), "second");
  edit->SetFocus();
  EXPECT_TRUE(edit->Focused());
  ::SendMessageA(::GetFocus(), WM_KEYDOWN, VK_RETURN, 0);
  ::SendMessageA(::GetFocus(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  ::SendMessageA(::GetFocus(), WM_LBUTTONUP, 0, MAKELPARAM(5, 5));
  EXPECT_EQ(log.events, (std::vector<std::string>{"focus", "enter", "click"}));
  edit.reset();  // the window goes with the object
  EXPECT_EQ(WindowAt(panel, "Edit"), nullptr);

  log.events.clear();
  auto check = host.CreateControl(Spec(TControlKind::CheckBox), log);
  check->SetBounds(0, 0, 13, 13);
  check->SetVisible(true);
  ::SendMessageA(WindowAt(panel, "Button"), BM_CLICK, 0, 0);
  EXPECT_TRUE(check->Checked());
  check.reset();
  TControlSpec radioSpec = Spec(TControlKind::RadioButton);
  radioSpec.Background = MakeColor(255, 0, 0);
  auto radio = host.CreateControl(radioSpec, log);
  radio->SetBounds(0, 0, 13, 14);
  radio->SetVisible(true);
  EXPECT_FALSE(radio->Checked());
  ::SendMessageA(WindowAt(panel, "Button"), BM_CLICK, 0, 0);
  EXPECT_TRUE(radio->Checked());
  radio->SetChecked(false);
  EXPECT_FALSE(radio->Checked());
  // A click focuses, then reports.
  EXPECT_EQ(log.events, (std::vector<std::string>{"focus", "click", "focus", "click"}));
}

TEST(Win32ControlHost, ListsChooseRowsAsTheirKindAllows) {
  TPaneTestWindow window(300, 200);
  TWin32ControlHost host(window.Pane().PaintPanelHandle());
  TEventLog log;
  TControlSpec single = Spec(TControlKind::ListBox);
  single.Items = {"one", "two", "three"};
  auto list = host.CreateControl(single, log);
  list->SetItemSelected(1, true);
  list->SetItemSelected(2, true);
  EXPECT_FALSE(list->ItemSelected(1));
  EXPECT_TRUE(list->ItemSelected(2));
  list->SetItemSelected(2, false);
  EXPECT_FALSE(list->ItemSelected(2));

  TControlSpec multiple = single;
  multiple.MultiSelect = true;
  auto many = host.CreateControl(multiple, log);
  many->SetItemSelected(0, true);
  many->SetItemSelected(2, true);
  EXPECT_TRUE(many->ItemSelected(0));
  EXPECT_FALSE(many->ItemSelected(1));
  EXPECT_TRUE(many->ItemSelected(2));

  auto drop = host.CreateControl(Spec(TControlKind::DropDownList), log);
  drop->SetItems({"red", "green"});
  EXPECT_FALSE(drop->ItemSelected(0));
  drop->SetItemSelected(1, true);
  EXPECT_TRUE(drop->ItemSelected(1));

  TControlSpec memoSpec = Spec(TControlKind::Memo);
  memoSpec.Text = "line one\r\nline two";
  auto memo = host.CreateControl(memoSpec, log);
  EXPECT_EQ(memo->Text(), "line one\r\nline two");
  auto password = host.CreateControl(Spec(TControlKind::PasswordEdit), log);
  password->SetText("secret");
  EXPECT_EQ(password->Text(), "secret");  // shown as stars, kept as typed

  const TControlTextSize wide = host.MeasureText({"Arial", 10}, "WWWW");
  const TControlTextSize narrow = host.MeasureText({"Arial", 10}, "iiii");
  EXPECT_GT(wide.Width, narrow.Width);
  EXPECT_GT(wide.Height, 8);
  EXPECT_EQ(host.MeasureText({"Arial", 10}, "").Height, wide.Height);
  EXPECT_GT(host.ScrollBarSize(), 8);
  EXPECT_TRUE(log.events.empty());  // setting state from code reports nothing
}

// A radio button stands in a panel one pixel taller than itself; the whole panel, round the
// button and below it, shows the colour behind the button's line.
TEST(Win32ControlHost, TheRadioButtonsPanelShowsTheColourBehindIt) {
  TPaneTestWindow window(300, 200);
  HWND panel = window.Pane().PaintPanelHandle();
  TWin32ControlHost host(panel);
  TEventLog log;
  TControlSpec spec = Spec(TControlKind::RadioButton);
  spec.Background = MakeColor(0, 255, 0);
  auto radio = host.CreateControl(spec, log);
  radio->SetBounds(20, 20, 13, 14);
  radio->SetVisible(true);
  radio->SetBackground(MakeColor(255, 0, 0));
  HWND outer = WindowAt(panel, "Static");
  ASSERT_NE(outer, nullptr);
  ::RedrawWindow(outer, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  HDC dc = ::GetDC(outer);
  const COLORREF red = RGB(255, 0, 0);
  EXPECT_EQ(::GetPixel(dc, 0, 0), red) << "beside the button";
  EXPECT_EQ(::GetPixel(dc, 0, 13), red) << "below the button";
  EXPECT_EQ(::GetPixel(dc, 12, 13), red);
  ::ReleaseDC(outer, dc);
}

}  // namespace

}  // namespace htmlview
