#pragma once

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "GifBuilder.h"
#include "forms/DetachedControlHost.h"
#include "testing/TestCanvas.h"
#include "text/AsciiCase.h"
#include "view/HtmlView.h"

namespace htmlview {

// A window for the view that only records what it is asked: repaints, the cursor, the
// capture, the timers running, copied text and errors. Posted tasks wait until the test
// runs them, and the clock moves only when the test moves it.
class TRecordingHost : public TViewHost {
 public:
  int Invalidations = 0;              // of the whole panel
  std::vector<TPixelRect> Repainted;  // parts of it
  int Cursor = crDefault;
  bool Captured = false;
  int BusyDepth = 0;
  std::set<TViewTimer> Timers;
  std::deque<TViewTask> Tasks;
  std::string Copied;
  std::vector<std::string> Errors;
  std::uint32_t Now = 1000;
  // Called from ShowError, as a message box would let other events in.
  std::function<void(const std::string&)> WhileErrorShows;

  void Invalidate() override { ++Invalidations; }
  void InvalidateRect(const TPixelRect& rect) override { Repainted.push_back(rect); }
  void ArrangementChanged() override {}
  void PositionsChanged() override {}
  void CursorChanged(int cursor) override { Cursor = cursor; }
  void CaptureMouse(bool capture) override { Captured = capture; }
  void StartTimer(TViewTimer timer) override { Timers.insert(timer); }
  void StopTimer(TViewTimer timer) override { Timers.erase(timer); }
  void Post(TViewTask task) override { Tasks.push_back(task); }
  void Busy(bool busy) override { BusyDepth += busy ? 1 : -1; }
  void CopyText(const std::string& text) override { Copied = text; }
  void ShowError(const std::string& text) override {
    Errors.push_back(text);
    if (WhileErrorShows) WhileErrorShows(text);
  }
  TColor SystemColor(int index) override { return 0x010101u * static_cast<TColor>(index); }
  std::uint32_t NowMilliseconds() override { return Now; }

  bool Running(TViewTimer timer) const { return Timers.count(timer) > 0; }
  // Runs the posted tasks in order, and those they post.
  void RunTasks(THtmlView& view);
};

// Files from memory, in the folder kFolder; names are compared without regard to case.
class TMemoryFiles : public TFileSource {
 public:
  static constexpr const char* kFolder = "C:\\docs\\";
  void Add(const std::string& name, const std::string& bytes) { files_[Key(name)] = bytes; }
  bool Exists(const std::string& name) override { return files_.count(Key(name)) > 0; }
  std::string FullPath(const std::string& name) override {
    const bool full = (name.size() > 1 && name[1] == ':') || (!name.empty() && name[0] == '\\');
    return full ? name : kFolder + name;
  }
  std::string Read(const std::string& name, std::size_t maxBytes) override;

 private:
  std::string Key(const std::string& name) { return UpperText(FullPath(name)); }
  std::map<std::string, std::string> files_;  // by upper-case full path
};

// A page of ninety paragraphs, far taller than the view, whose anchor "MixedCase" lies
// far below the top.
std::string LongPage(const std::string& title = "Long");
// A GIF of one colour (or of two frames that alternate every 10 ms, looping for ever).
TBytes8 SolidGif(int width, int height, bool animated = false);

// A view of 300 x 200 pixels on the test canvas, with detached form controls.
class ViewTest : public ::testing::Test {
 protected:
  ViewTest() { view.Resize(300, 200); }

  // Draws the whole panel, as the window would after an invalidation; images and form
  // controls learn where they stand.
  void Paint();
  void Show(const std::string& html) {
    view.OpenDocumentText(html);
    Paint();
  }
  // The host answers OnImageRequest with these pictures by name (nothing for others).
  void ServePictures(std::map<std::string, TBytes8> pictures);
  void Click(int x, int y, TMouseButton button = TMouseButton::mbLeft);
  // Link clicks are logged in Events as "link <src>"; the host takes them when `handled`.
  void LogLinkClicks(bool handled);
  int PanelHeight() const { return view.Arrangement().PaintPanel.Height; }
  std::string File(const std::string& name) const { return TMemoryFiles::kFolder + name; }

  TTestCanvas canvas;
  TRecordingHost host;
  TMemoryFiles files;
  TDetachedControlHost controls;
  THtmlView view{canvas, host, files, &controls};
  std::vector<std::string> Events;  // what the view's events told, as the test logs them
};

using TStrings = std::vector<std::string>;

}  // namespace htmlview
