#pragma once

#include <cstdint>
#include <cstddef>

namespace pavina::ui {

// The main window's controls, in creation order (which is also each parent's tab order),
// with their design positions relative to the parent's client area.

enum class TControlKind { GroupBox, Edit, UpDown, StaticText, Button, ProgressBar, Picture };

struct TControlSpec {
  const char* name;
  TControlKind kind;
  const char* parent;  // nullptr: the window itself
  int left, top, width, height;
  const char* caption;
  bool tagged;  // Tag 1: switched by EnableTaggedControls
  bool enabled;
  bool visible;
  int id;
  // Up-downs only.
  const char* buddy = nullptr;
  int minimum = 0, maximum = 0, position = 0;
  bool horizontal = false;
};

inline constexpr int kMainClientWidth = 632;
inline constexpr int kMainClientHeight = 382;
inline constexpr const char* kMainFormClassName = "TMainForm";
inline constexpr const char* kMainFormCaption = "Pavina";
inline constexpr const char* kOpenDialogFilter = "BMP,JPG,JPEG,PNG|*.bmp;*.jpg;*.jpeg;*.png";

// The table itself, as a range over static storage.
struct TControlTable {
  const TControlSpec* first;
  std::size_t count;
  const TControlSpec* begin() const { return first; }
  const TControlSpec* end() const { return first + count; }
};

TControlTable MainFormControls();
// The control of that name; nullptr when there is none.
const TControlSpec* FindMainFormControl(const char* name);

}  // namespace pavina::ui
