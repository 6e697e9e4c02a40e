#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

#include "images/Color.h"

namespace htmlview {

class TImageObj;

// Colours as the view's properties take them: a colour value, a system colour (high bit
// set, the system colour's index in the low byte) or none.
using TPaneColor = std::uint32_t;
constexpr int kSystemColorWindow = 5;  // the system's indexes the view itself names
constexpr int kSystemColorBtnText = 18;
constexpr int kSystemColorBtnFace = 15;
constexpr TPaneColor clNone = 0x1FFFFFFF;
constexpr TPaneColor clBtnFace = 0x80000000 | kSystemColorBtnFace;
constexpr TPaneColor clBtnText = 0x80000000 | kSystemColorBtnText;

enum class htOptionEnum : std::uint8_t {
  htOverLinksActive = 1,
  htNoLinkUnderline = 2,
  htShowDummyCaret = 4,
  htShowVScroll = 8,
};
using THtmlPaneOptions = std::uint8_t;  // a set of htOptionEnum bits
constexpr bool HasOption(THtmlPaneOptions options, htOptionEnum option) {
  return (options & static_cast<std::uint8_t>(option)) != 0;
}

// The error a load lets through, such as "Can't locate file: " and the name.
class EInOutError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// What the right-click event receives.
struct TRightClickParameters {
  TImageObj* Image = nullptr;  // the image under the mouse, or none
  std::int32_t ImageX = 0;     // the mouse within it
  std::int32_t ImageY = 0;
  std::string URL;     // the link under the mouse, empty for none
  std::string Target;  // its frame target
  std::string ClickWord;
};

enum class TMouseButton : std::uint8_t { mbLeft, mbRight, mbMiddle };

// The keys and buttons held, as bits with the values Windows gives them in mouse messages.
using TShiftState = std::uint32_t;
namespace shift {
constexpr TShiftState LeftButton = 0x01;
constexpr TShiftState RightButton = 0x02;
constexpr TShiftState Shift = 0x04;
constexpr TShiftState Control = 0x08;
constexpr TShiftState MiddleButton = 0x10;
}  // namespace shift

// The virtual key codes the view acts on, as Windows numbers them.
namespace vkey {
constexpr std::uint16_t Prior = 0x21, Next = 0x22, End = 0x23, Home = 0x24;
constexpr std::uint16_t Left = 0x25, Up = 0x26, Right = 0x27, Down = 0x28;
constexpr std::uint16_t Insert = 0x2D;
}  // namespace vkey

// The cursor numbers the viewer installs: 0 is the arrow, crIBeam the system text cursor,
// then the link hand, the text cursor and the middle-button scrolling cursors.
constexpr int crDefault = 0;
constexpr int crIBeam = -4;
constexpr int crHand = 1;
constexpr int crText = 2;
constexpr int crScrollBoth = 3, crScrollUp = 4, crScrollDown = 5;

// What a scroll bar asks for.
enum class TScrollAction : std::uint8_t {
  LineBack,  // up or left
  LineOn,    // down or right
  PageBack,
  PageOn,
  ToStart,
  ToEnd,
  Track,  // to the thumb's position
};

// The timers the view asks its host to run.
enum class TViewTimer : std::uint8_t {
  Leave,       // 200 ms: has the mouse left the panel?
  AutoScroll,  // 100 ms: the next auto-scroll step
  Animation,   // 50 ms: GIF frames
};
constexpr int TimerMilliseconds(TViewTimer timer) {
  return timer == TViewTimer::Leave ? 200 : timer == TViewTimer::AutoScroll ? 100 : 50;
}

// Work the view leaves for later, when the event that caused it has returned.
enum class TViewTask : std::uint8_t {
  DeliverFormSubmission,  // after the click that submitted
  Resize,                 // a size that came while a layout was in progress
};

}  // namespace htmlview
