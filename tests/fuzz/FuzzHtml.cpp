// Any text shown in the viewer's view, as the help window shows a page: parsed, laid out
// at a wide and a narrow size and drawn on the recording test canvas, then scrolled to
// its end and copied whole. No crash, no hang, no leak, and a layout of bounded size.
#include <cstdlib>

#include "forms/DetachedControlHost.h"
#include "testing/QuietViewHost.h"
#include "testing/TestCanvas.h"
#include "view/HtmlView.h"

using htmlview::TDetachedControlHost;
using htmlview::THtmlView;
using htmlview::TNoFiles;
using htmlview::TPixelRect;
using htmlview::TQuietViewHost;
using htmlview::TTestCanvas;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  TTestCanvas canvas;
  TQuietViewHost host;
  TNoFiles files;
  TDetachedControlHost controls;
  THtmlView view(canvas, host, files, &controls);
  view.Resize(680, 400);
  view.OpenDocumentBuffer(reinterpret_cast<const char*>(data), size);
  for (const int width : {680, 60}) {
    view.Resize(width, 400);
    if (view.DocumentHeight() < 0 || view.WidestLine() < 0) std::abort();
    view.DrawDocument(TPixelRect{0, 0, width, 400});
  }
  view.SetVerticalPosition(view.DocumentHeight());
  view.DrawDocument(TPixelRect{0, 0, 60, 400});
  view.SelectAll();
  view.CopyToClipboard();
  return 0;
}
