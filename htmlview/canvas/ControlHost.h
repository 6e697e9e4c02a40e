#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "images/Color.h"

namespace htmlview {

// The form controls of a page are real windows of the host (child windows of the paint
// panel on Windows). The forms layer reaches them only through these interfaces, so that
// it stays portable and can be tested against a recording fake.

// The kinds of window a form control can stand on.
enum class TControlKind : std::uint8_t {
  Edit,          // single-line edit
  PasswordEdit,  // single-line edit that echoes "*"
  PushButton,    // caption from Text
  CheckBox,      // 13 x 13, no caption
  RadioButton,   // 13 x 14 panel with the button in it, Background colours the panel
  ListBox,       // Items, one selection (or several with MultiSelect)
  DropDownList,  // Items, exactly one chosen, no typing
  Memo,          // multi-line edit
};

// A font for control texts and their measuring. Points at 96 pixels per inch.
struct TControlFont {
  std::string Name;
  std::int32_t Points = 10;
  friend bool operator==(const TControlFont& a, const TControlFont& b) {
    return a.Name == b.Name && a.Points == b.Points;
  }
};

// Everything a window is created with. It starts hidden, at the given bounds.
struct TControlSpec {
  TControlKind Kind = TControlKind::Edit;
  TControlFont Font;
  std::string Text;                // edit or memo text (memo lines joined by CR LF), caption
  std::int32_t MaxLength = 0;      // edits: the most characters the user may type; 0 no limit
  bool MultiSelect = false;        // list box: several rows may be selected
  bool WordWrap = false;           // memo: wrap and a vertical bar; else both bars, no wrap
  bool Checked = false;            // check box, radio button
  TColor Background = 0xFFFFFF;    // radio button: colour of its panel
  std::vector<std::string> Items;  // list box, drop-down list
};

// What a window tells the control that owns it. Called on the window thread while the
// window handles a message; an implementation may submit the form from here (the control
// defers the delivery), but must not destroy the window.
class TControlEvents {
 public:
  // Any window clicked (a check box or radio button has already changed its state; a
  // drop-down list reports a change of its choice).
  virtual void ControlClicked() = 0;
  // Enter pressed in a single-line edit.
  virtual void ControlEnterPressed() = 0;
  // The window has taken the keyboard focus.
  virtual void ControlFocused() = 0;

 protected:
  ~TControlEvents() = default;
};

// One window. Destroying this object removes the window from its parent and frees it.
class TControlWindow {
 public:
  virtual ~TControlWindow() = default;

  // Position and size in the paint panel's pixels (left and top may be far off-screen).
  virtual void SetBounds(std::int32_t left, std::int32_t top, std::int32_t width,
                         std::int32_t height) = 0;
  virtual void SetVisible(bool visible) = 0;
  virtual bool Visible() const = 0;

  // Edit and memo text (memo lines joined by CR LF, without the breaks that word wrap
  // makes on screen); a button's caption.
  virtual void SetText(const std::string& text) = 0;
  virtual std::string Text() const = 0;

  // Check box and radio button.
  virtual void SetChecked(bool checked) = 0;
  virtual bool Checked() const = 0;

  // List box and drop-down list: replaces the rows, none selected.
  virtual void SetItems(const std::vector<std::string>& items) = 0;
  // In a single-choice list selecting a row deselects the others.
  virtual void SetItemSelected(std::int32_t index, bool selected) = 0;
  virtual bool ItemSelected(std::int32_t index) const = 0;
  // List box: the row shown at the top.
  virtual void SetTopIndex(std::int32_t index) = 0;

  // Radio button: colour of the panel round it.
  virtual void SetBackground(TColor color) = 0;

  virtual bool Focused() const = 0;
  virtual void SetFocus() = 0;
};

// Text measured in a control font.
struct TControlTextSize {
  std::int32_t Width = 0;
  std::int32_t Height = 0;
};

// Creates windows and measures their texts.
class TControlHost {
 public:
  virtual ~TControlHost() = default;

  // A new window, hidden, reporting to `events` (which must outlive the window).
  virtual std::unique_ptr<TControlWindow> CreateControl(const TControlSpec& spec,
                                                        TControlEvents& events) = 0;
  // Width and height of a single line of text in the font.
  virtual TControlTextSize MeasureText(const TControlFont& font, const std::string& text) = 0;
  // Thickness of a window's scroll bar (memos and list boxes make room for it).
  virtual std::int32_t ScrollBarSize() = 0;
};

}  // namespace htmlview
