#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <memory>

#include "ChildControl.h"
#include "UpDownPair.h"

namespace pavina::ui {

namespace {

TEST(WholeNumber, DecimalWithBlanksOnly) {
  int value = 0;
  EXPECT_TRUE(ParseWholeNumber("50", value));
  EXPECT_EQ(value, 50);
  EXPECT_TRUE(ParseWholeNumber(" -7 ", value));
  EXPECT_EQ(value, -7);
  EXPECT_TRUE(ParseWholeNumber("+3", value));
  EXPECT_EQ(value, 3);
  value = 99;
  for (const char* text : {"", " ", "5a", "0x10", "1.5", "\t5", "-", "99999999999", "40000"})
    EXPECT_FALSE(ParseWholeNumber(text, value)) << text;
  EXPECT_EQ(value, 99);
}

// A hidden window with one up-down pair, counting the edit's change events.
class UpDownPair : public ::testing::Test {
 protected:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* self = reinterpret_cast<UpDownPair*>(::GetWindowLongPtrA(window, GWLP_USERDATA));
    if (self && message == WM_COMMAND && HIWORD(wParam) == EN_CHANGE) ++self->changes_;
    if (self && message == WM_NOTIFY &&
        reinterpret_cast<NMHDR*>(lParam)->code == static_cast<UINT>(UDN_DELTAPOS))
      return self->pair_->OnDeltaPosition(*reinterpret_cast<NMUPDOWN*>(lParam));
    return ::DefWindowProcA(window, message, wParam, lParam);
  }

  void Make(int minimum, int maximum, int position, bool horizontal) {
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_UPDOWN_CLASS};
    ::InitCommonControlsEx(&controls);
    WNDCLASSA wc{};
    wc.lpfnWndProc = Procedure;
    wc.hInstance = ::GetModuleHandleA(nullptr);
    wc.lpszClassName = "UpDownPairTest";
    ::RegisterClassA(&wc);
    window_ = ::CreateWindowExA(0, wc.lpszClassName, "", WS_POPUP, 0, 0, 200, 100, nullptr, nullptr,
                                wc.hInstance, nullptr);
    ::SetWindowLongPtrA(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    HWND edit = CreateChildControl(window_, "EDIT", std::to_string(position).c_str(), WS_VISIBLE, 0,
                                   10, 10, 33, 21, 1, nullptr);
    HWND upDown =
        CreateChildControl(window_, UPDOWN_CLASSA, "", WS_VISIBLE | (horizontal ? UDS_HORZ : 0), 0,
                           43, 10, 24, 21, 2, nullptr);
    pair_ = std::make_unique<TUpDownPair>(edit, upDown, minimum, maximum, position);
    changes_ = 0;
  }
  void TearDown() override {
    pair_.reset();
    if (window_) ::DestroyWindow(window_);
  }
  // A click on the upper (vertical) or right (horizontal) half, or the other.
  void ClickArrow(bool upOrRight) {
    RECT r{};
    ::GetClientRect(pair_->UpDown(), &r);
    const bool horizontal = ::GetWindowLongA(pair_->UpDown(), GWL_STYLE) & UDS_HORZ;
    const int x = horizontal ? (upOrRight ? r.right * 3 / 4 : r.right / 4) : r.right / 2;
    const int y = horizontal ? r.bottom / 2 : (upOrRight ? r.bottom / 4 : r.bottom * 3 / 4);
    ::SendMessageA(pair_->UpDown(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    ::SendMessageA(pair_->UpDown(), WM_LBUTTONUP, 0, MAKELPARAM(x, y));
  }
  std::string Text() const { return WindowText(pair_->Edit()); }

  HWND window_ = nullptr;
  std::unique_ptr<TUpDownPair> pair_;
  int changes_ = 0;
};

TEST_F(UpDownPair, ReversedRangeUpArrowLowersAndNeitherArrowLeavesTheRange) {
  Make(254, 20, 50, false);
  ClickArrow(true);
  EXPECT_EQ(Text(), "49");
  EXPECT_EQ(pair_->Position(), 49);
  ClickArrow(false);
  ClickArrow(false);
  EXPECT_EQ(pair_->Position(), 51);

  pair_->SetPosition(20);
  ClickArrow(true);
  EXPECT_EQ(pair_->Position(), 20);
  pair_->SetPosition(254);
  changes_ = 0;
  ClickArrow(false);
  pair_->Step(+1);
  EXPECT_EQ(pair_->Position(), 254);
  EXPECT_EQ(Text(), "254");
  EXPECT_EQ(changes_, 0);  // nothing moved, so nothing is sent on
}

TEST_F(UpDownPair, HorizontalArrowsAndClampedSteps) {
  Make(2, 225, 50, true);
  ClickArrow(true);
  EXPECT_EQ(pair_->Position(), 51);
  ClickArrow(false);
  EXPECT_EQ(pair_->Position(), 50);
  pair_->SetPosition(500);
  EXPECT_EQ(Text(), "225");
  pair_->SetPosition(-3);
  EXPECT_EQ(Text(), "2");
  pair_->Step(-1);
  EXPECT_EQ(pair_->Position(), 2);
}

TEST_F(UpDownPair, TypedTextCountsOnlyWhenAWholeNumberInRange) {
  Make(2, 225, 50, true);
  ::SetWindowTextA(pair_->Edit(), "120");
  EXPECT_EQ(pair_->Position(), 120);
  EXPECT_EQ(changes_, 1);
  for (const char* typed : {"12x", "", "300", "1", "-5"}) {
    ::SetWindowTextA(pair_->Edit(), typed);
    EXPECT_EQ(pair_->Position(), 120) << typed;
  }
  // An arrow after bad text steps from the position kept.
  ClickArrow(true);
  EXPECT_EQ(Text(), "121");
}

}  // namespace

}  // namespace pavina::ui
