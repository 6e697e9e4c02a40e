#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "images/Color.h"
#include "images/PixelRect.h"
#include "view/ViewTypes.h"

namespace htmlview {

// Where the view's documents come from. The Windows shell binds it to the file system;
// tests give files of their own.
class TFileSource {
 public:
  virtual ~TFileSource() = default;
  // An existing file, not a folder.
  virtual bool Exists(const std::string& name) = 0;
  // A relative or drive-relative name as a full one; the name as it is when that fails.
  virtual std::string FullPath(const std::string& name) = 0;
  // The whole file, at most `maxBytes`; std::runtime_error when it cannot be read or is
  // larger.
  virtual std::string Read(const std::string& name, std::size_t maxBytes) = 0;
};

// What the view needs of the window that shows it. Coordinates are the paint panel's.
class TViewHost {
 public:
  virtual ~TViewHost() = default;

  // Repaint the whole panel, or a part of it.
  virtual void Invalidate() = 0;
  virtual void InvalidateRect(const TPixelRect& rect) = 0;
  // The view moved by `dy` pixels (positive: the page moved down): the host may move what
  // it shows and repaint only what came into view; the default repaints everything.
  virtual void ScrollContent(int /*dy*/) { Invalidate(); }
  // The paint panel and scroll bars were arranged anew (read Arrangement()), or only the
  // scroll positions changed.
  virtual void ArrangementChanged() = 0;
  virtual void PositionsChanged() = 0;
  // The cursor the panel shows now (crDefault, crHand, ...).
  virtual void CursorChanged(int cursor) = 0;
  // Mouse input keeps coming to the panel while the left button is down.
  virtual void CaptureMouse(bool capture) = 0;
  virtual void StartTimer(TViewTimer timer) = 0;
  virtual void StopTimer(TViewTimer timer) = 0;
  // Run `task` later, once the current event has returned: RunTask(task).
  virtual void Post(TViewTask task) = 0;
  // A load or a long re-layout runs (an hourglass, say).
  virtual void Busy(bool busy) = 0;
  virtual void CopyText(const std::string& text) = 0;
  // A message the user must see, such as a table the layout had to drop.
  virtual void ShowError(const std::string& text) = 0;
  virtual TColor SystemColor(int index) = 0;
  // Milliseconds of a clock that only moves forward, for animations.
  virtual std::uint32_t NowMilliseconds() = 0;
};

}  // namespace htmlview
