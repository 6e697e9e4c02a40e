#include "ViewTestHost.h"

#include <stdexcept>

namespace htmlview {

void TRecordingHost::RunTasks(THtmlView& view) {
  while (!Tasks.empty()) {
    const TViewTask task = Tasks.front();
    Tasks.pop_front();
    view.RunTask(task);
  }
}

std::string TMemoryFiles::Read(const std::string& name, std::size_t maxBytes) {
  const auto file = files_.find(Key(name));
  if (file == files_.end() || file->second.size() > maxBytes)
    throw std::runtime_error("cannot read " + name);
  return file->second;
}

std::string LongPage(const std::string& title) {
  std::string page = "<title>" + title + "</title><h1>Top</h1>";
  for (int i = 0; i < 60; ++i) page += "<p>Paragraph " + std::to_string(i) + " of the page.</p>";
  page += "<a name=\"MixedCase\"></a><h2>Anchored</h2>";
  for (int i = 0; i < 30; ++i) page += "<p>More " + std::to_string(i) + "</p>";
  return page;
}

TBytes8 SolidGif(int width, int height, bool animated) {
  const TBytes8 pixels(static_cast<std::size_t>(width * height), 1);
  TGifBuilder gif(width, height, {0x0000FF, 0x00FF00});
  if (!animated) return gif.Frame(0, 0, width, height, pixels).Bytes();
  gif.Loop(0).Control(1, 1).Frame(0, 0, width, height, TBytes8(pixels.size(), 0));
  return gif.Control(1, 1).Frame(0, 0, width, height, pixels).Bytes();
}

void ViewTest::Paint() {
  const TBounds& panel = view.Arrangement().PaintPanel;
  view.DrawDocument(TPixelRect{0, 0, panel.Width, panel.Height});
}

void ViewTest::ServePictures(std::map<std::string, TBytes8> pictures) {
  view.OnImageRequest = [pictures = std::move(pictures)](THtmlView&, const std::string& src) {
    TImageRequestAnswer answer;
    const auto found = pictures.find(src);
    if (found != pictures.end()) {
      answer.Kind = TImageRequestAnswer::TKind::Stream;
      answer.Bytes = found->second;
    }
    return answer;
  };
}

void ViewTest::Click(int x, int y, TMouseButton button) {
  const TShiftState held = button == TMouseButton::mbLeft    ? shift::LeftButton
                           : button == TMouseButton::mbRight ? shift::RightButton
                                                             : shift::MiddleButton;
  view.MouseDown(button, held, x, y);
  view.MouseUp(button, 0, x, y);
}

void ViewTest::LogLinkClicks(bool handled) {
  view.OnHotSpotClick = [this, handled](THtmlView&, const std::string& src, bool& taken) {
    Events.push_back("link " + src);
    taken = handled;
  };
}

}  // namespace htmlview
