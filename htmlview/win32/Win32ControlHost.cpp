#include "win32/Win32ControlHost.h"

#include <commctrl.h>

#include <vector>

namespace htmlview {

namespace {
constexpr UINT_PTR kSubclassId = 0x5056;  // ours among a window's subclasses
constexpr int kDropDownRoom = 200;        // list height below a drop-down list

class TWin32ControlWindow;
LRESULT CALLBACK ControlProcedure(HWND, UINT, WPARAM, LPARAM, UINT_PTR, DWORD_PTR);

class TWin32ControlWindow final : public TControlWindow {
 public:
  TWin32ControlWindow(HWND parent, const TControlSpec& spec, HFONT font, TControlEvents& events,
                      const std::int32_t& scrollOffset)
      : kind_(spec.Kind),
        multiSelect_(spec.MultiSelect),
        events_(events),
        scrollOffset_(scrollOffset) {
    const HINSTANCE module = ::GetModuleHandleA(nullptr);
    const DWORD child = WS_CHILD | WS_TABSTOP;
    const auto make = [&](const char* cls, DWORD style, DWORD exStyle, HWND owner,
                          const std::string& text) {
      return ::CreateWindowExA(exStyle, cls, text.c_str(), style, 0, 0, 0, 0, owner, nullptr,
                               module, nullptr);
    };
    switch (kind_) {
      case TControlKind::Edit:
      case TControlKind::PasswordEdit:
        window_ =
            make("EDIT",
                 child | ES_AUTOHSCROLL | (kind_ == TControlKind::PasswordEdit ? ES_PASSWORD : 0),
                 WS_EX_CLIENTEDGE, parent, spec.Text);
        if (kind_ == TControlKind::PasswordEdit)
          ::SendMessageA(window_, EM_SETPASSWORDCHAR, '*', 0);
        if (spec.MaxLength > 0) ::SendMessageA(window_, EM_SETLIMITTEXT, spec.MaxLength, 0);
        break;
      case TControlKind::PushButton:
        window_ = make("BUTTON", child | BS_PUSHBUTTON, 0, parent, spec.Text);
        break;
      case TControlKind::CheckBox:
        window_ = make("BUTTON", child | BS_AUTOCHECKBOX, 0, parent, "");
        break;
      case TControlKind::RadioButton:
        // The panel colours the space round the button; the button sits inside it.
        outer_ = make("STATIC", WS_CHILD, 0, parent, "");
        window_ =
            make("BUTTON", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_RADIOBUTTON, 0, outer_, "");
        SetBackground(spec.Background);
        break;
      case TControlKind::ListBox:
        window_ = make("LISTBOX",
                       child | WS_VSCROLL | LBS_NOTIFY | LBS_NOINTEGRALHEIGHT |
                           (multiSelect_ ? LBS_MULTIPLESEL : 0),
                       WS_EX_CLIENTEDGE, parent, "");
        break;
      case TControlKind::DropDownList:
        window_ = make("COMBOBOX", child | WS_VSCROLL | CBS_DROPDOWNLIST, 0, parent, "");
        break;
      case TControlKind::Memo:
        window_ = make("EDIT",
                       child | WS_VSCROLL | ES_MULTILINE | ES_WANTRETURN | ES_AUTOVSCROLL |
                           (spec.WordWrap ? 0 : WS_HSCROLL | ES_AUTOHSCROLL),
                       WS_EX_CLIENTEDGE, parent, spec.Text);
        break;
    }
    if (!outer_) outer_ = window_;
    if (!window_) return;
    ::SendMessageA(window_, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    ::SetWindowSubclass(window_, ControlProcedure, kSubclassId, reinterpret_cast<DWORD_PTR>(this));
    if (outer_ != window_)
      ::SetWindowSubclass(outer_, ControlProcedure, kSubclassId, reinterpret_cast<DWORD_PTR>(this));
    if (spec.Checked) SetChecked(true);
    if (!spec.Items.empty()) SetItems(spec.Items);
  }

  ~TWin32ControlWindow() override {
    if (window_) ::RemoveWindowSubclass(window_, ControlProcedure, kSubclassId);
    if (outer_ && outer_ != window_) ::RemoveWindowSubclass(outer_, ControlProcedure, kSubclassId);
    if (outer_) ::DestroyWindow(outer_);
    if (brush_) ::DeleteObject(brush_);
  }

  void SetBounds(std::int32_t left, std::int32_t top, std::int32_t width,
                 std::int32_t height) override {
    const int windowHeight = kind_ == TControlKind::DropDownList ? height + kDropDownRoom : height;
    ::MoveWindow(outer_, left, top - scrollOffset_, width, windowHeight, TRUE);
    if (kind_ == TControlKind::RadioButton) ::MoveWindow(window_, 0, 0, 13, 13, TRUE);
  }
  void SetVisible(bool visible) override { ::ShowWindow(outer_, visible ? SW_SHOWNA : SW_HIDE); }
  bool Visible() const override { return (::GetWindowLongA(outer_, GWL_STYLE) & WS_VISIBLE) != 0; }

  void SetText(const std::string& text) override { ::SetWindowTextA(window_, text.c_str()); }
  std::string Text() const override {
    const int length = ::GetWindowTextLengthA(window_);
    std::vector<char> text(static_cast<std::size_t>(length) + 1, '\0');
    ::GetWindowTextA(window_, text.data(), length + 1);
    return text.data();
  }

  void SetChecked(bool checked) override {
    ::SendMessageA(window_, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
  }
  bool Checked() const override {
    return ::SendMessageA(window_, BM_GETCHECK, 0, 0) == BST_CHECKED;
  }

  void SetItems(const std::vector<std::string>& items) override {
    const bool combo = kind_ == TControlKind::DropDownList;
    ::SendMessageA(window_, combo ? CB_RESETCONTENT : LB_RESETCONTENT, 0, 0);
    for (const std::string& item : items)
      ::SendMessageA(window_, combo ? CB_ADDSTRING : LB_ADDSTRING, 0,
                     reinterpret_cast<LPARAM>(item.c_str()));
  }
  void SetItemSelected(std::int32_t index, bool selected) override {
    if (kind_ == TControlKind::DropDownList) {
      if (selected || ItemSelected(index))
        ::SendMessageA(window_, CB_SETCURSEL, selected ? index : -1, 0);
    } else if (multiSelect_) {
      ::SendMessageA(window_, LB_SETSEL, selected ? TRUE : FALSE, index);
    } else if (selected || ItemSelected(index)) {
      ::SendMessageA(window_, LB_SETCURSEL, selected ? index : -1, 0);
    }
  }
  bool ItemSelected(std::int32_t index) const override {
    if (kind_ == TControlKind::DropDownList)
      return ::SendMessageA(window_, CB_GETCURSEL, 0, 0) == index;
    if (multiSelect_) return ::SendMessageA(window_, LB_GETSEL, index, 0) > 0;
    return ::SendMessageA(window_, LB_GETCURSEL, 0, 0) == index;
  }
  void SetTopIndex(std::int32_t index) override {
    ::SendMessageA(window_, LB_SETTOPINDEX, index, 0);
  }

  void SetBackground(TColor color) override {
    if (brush_) ::DeleteObject(brush_);
    brush_ = ::CreateSolidBrush(color & 0xFFFFFF);
    if (outer_) ::InvalidateRect(outer_, nullptr, TRUE);
  }

  bool Focused() const override { return ::GetFocus() == window_; }
  void SetFocus() override { ::SetFocus(window_); }

  // A notification from the control itself (through its parent). The click comes last:
  // its handler may load another page, which frees this window.
  void Notified(int code) {
    const bool button = kind_ == TControlKind::PushButton || kind_ == TControlKind::CheckBox ||
                        kind_ == TControlKind::RadioButton;
    const bool clicked = (button && code == BN_CLICKED) ||
                         (kind_ == TControlKind::DropDownList && code == CBN_SELCHANGE);
    if (!clicked) return;
    if (kind_ == TControlKind::RadioButton) SetChecked(true);
    events_.ControlClicked();
  }

  LRESULT Handle(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (window == outer_ && outer_ != window_) {  // the radio button's panel
      if (message == WM_COMMAND && reinterpret_cast<HWND>(lParam) == window_) {
        Notified(HIWORD(wParam));
        return 0;
      }
      if ((message == WM_CTLCOLORBTN || message == WM_CTLCOLORSTATIC) && brush_)
        return reinterpret_cast<LRESULT>(brush_);
      if (message == WM_ERASEBKGND && brush_) {
        RECT r{};
        ::GetClientRect(window, &r);
        ::FillRect(reinterpret_cast<HDC>(wParam), &r, brush_);
        return 1;
      }
      if (message == WM_PAINT && brush_) {
        // The static would paint itself in the colour its parent gives it.
        PAINTSTRUCT paint{};
        HDC dc = ::BeginPaint(window, &paint);
        ::FillRect(dc, &paint.rcPaint, brush_);
        ::EndPaint(window, &paint);
        return 0;
      }
      return ::DefSubclassProc(window, message, wParam, lParam);
    }
    const bool singleLine = kind_ == TControlKind::Edit || kind_ == TControlKind::PasswordEdit;
    if (message == WM_SETFOCUS) {
      const LRESULT result = ::DefSubclassProc(window, message, wParam, lParam);
      events_.ControlFocused();
      return result;
    }
    if (singleLine && message == WM_KEYDOWN && wParam == VK_RETURN) {
      events_.ControlEnterPressed();
      return 0;
    }
    if (singleLine && message == WM_CHAR && wParam == '\r') return 0;  // no beep
    // Buttons and drop-down lists report through their notifications; the rest by the mouse.
    if (message == WM_LBUTTONUP &&
        (singleLine || kind_ == TControlKind::ListBox || kind_ == TControlKind::Memo)) {
      const LRESULT result = ::DefSubclassProc(window, message, wParam, lParam);
      events_.ControlClicked();
      return result;
    }
    return ::DefSubclassProc(window, message, wParam, lParam);
  }

  HWND Window() const { return window_; }

 private:
  TControlKind kind_;
  bool multiSelect_;
  TControlEvents& events_;
  const std::int32_t& scrollOffset_;
  HWND window_ = nullptr;
  HWND outer_ = nullptr;
  HBRUSH brush_ = nullptr;
};

LRESULT CALLBACK ControlProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                  DWORD_PTR data) {
  return reinterpret_cast<TWin32ControlWindow*>(data)->Handle(window, message, wParam, lParam);
}
}  // namespace

TWin32ControlHost::TWin32ControlHost(HWND parent) : parent_(parent) {}

TWin32ControlHost::~TWin32ControlHost() {
  for (const auto& entry : fonts_) ::DeleteObject(entry.second);
}

std::unique_ptr<TControlWindow> TWin32ControlHost::CreateControl(const TControlSpec& spec,
                                                                 TControlEvents& events) {
  return std::make_unique<TWin32ControlWindow>(parent_, spec, FontFor(spec.Font), events,
                                               scrollOffset_);
}

bool TWin32ControlHost::HandleCommand(WPARAM wParam, LPARAM lParam) {
  HWND control = reinterpret_cast<HWND>(lParam);
  DWORD_PTR data = 0;
  if (!control || !::GetWindowSubclass(control, ControlProcedure, kSubclassId, &data) || !data)
    return false;
  auto* window = reinterpret_cast<TWin32ControlWindow*>(data);
  if (window->Window() != control) return false;
  window->Notified(HIWORD(wParam));
  return true;
}

HFONT TWin32ControlHost::FontFor(const TControlFont& font) {
  const auto key = std::make_pair(font.Name, font.Points);
  const auto found = fonts_.find(key);
  if (found != fonts_.end()) return found->second;
  HDC screen = ::GetDC(nullptr);
  const int height = -::MulDiv(font.Points, ::GetDeviceCaps(screen, LOGPIXELSY), 72);
  ::ReleaseDC(nullptr, screen);
  HFONT made = ::CreateFontA(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                             OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                             DEFAULT_PITCH | FF_DONTCARE, font.Name.c_str());
  fonts_.emplace(key, made);
  return made;
}

TControlTextSize TWin32ControlHost::MeasureText(const TControlFont& font, const std::string& text) {
  HDC screen = ::GetDC(nullptr);
  HGDIOBJ before = ::SelectObject(screen, FontFor(font));
  SIZE size{};
  TEXTMETRICA metrics{};
  ::GetTextMetricsA(screen, &metrics);
  ::GetTextExtentPoint32A(screen, text.c_str(), static_cast<int>(text.size()), &size);
  ::SelectObject(screen, before);
  ::ReleaseDC(nullptr, screen);
  return {size.cx, text.empty() ? metrics.tmHeight : size.cy};
}

std::int32_t TWin32ControlHost::ScrollBarSize() {
  return ::GetSystemMetrics(SM_CXVSCROLL);
}

}  // namespace htmlview
