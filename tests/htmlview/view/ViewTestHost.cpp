#include "ViewTestHost.h"

#include <stdexcept>

#include "text/AsciiCase.h"

namespace htmlview {

void TRecordingHost::ShowError(const std::string& text) {
  Errors.push_back(text);
  if (WhileErrorShows) WhileErrorShows(text);
}

void TRecordingHost::RunTasks(THtmlView& view) {
  while (!Tasks.empty()) {
    const TViewTask task = Tasks.front();
    Tasks.pop_front();
    view.RunTask(task);
  }
}

void TMemoryFiles::Add(const std::string& name, const std::string& bytes) {
  files_[UpperText(FullPath(name))] = bytes;
}

bool TMemoryFiles::Exists(const std::string& name) {
  return files_.count(UpperText(FullPath(name))) > 0;
}

std::string TMemoryFiles::FullPath(const std::string& name) {
  const bool full = (name.size() > 1 && name[1] == ':') || (!name.empty() && name[0] == '\\');
  return full ? name : kFolder + name;
}

std::string TMemoryFiles::Read(const std::string& name, std::size_t maxBytes) {
  const auto file = files_.find(UpperText(FullPath(name)));
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

}  // namespace htmlview
