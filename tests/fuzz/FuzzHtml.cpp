// The HTML parser on any text, then layout at a wide and a narrow width and drawing on the
// recording test canvas: no crash, no hang, no leak, and a layout of bounded size.
#include <cstdlib>
#include <string_view>

#include "testing/TestCanvas.h"
#include "document/SectionList.h"
#include "forms/DocumentForms.h"
#include "parser/AnchorList.h"
#include "parser/HtmlParser.h"

using htmlview::TAnchorList;
using htmlview::TDocumentForms;
using htmlview::THtmlParser;
using htmlview::TSectionList;
using htmlview::TTestCanvas;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  TTestCanvas canvas;
  TSectionList document(canvas);
  TAnchorList anchors;
  TDocumentForms forms;
  THtmlParser parser;
  parser.ParseBuffer({document, anchors, &forms},
                     std::string_view(reinterpret_cast<const char*>(data), size), {});
  for (const std::int32_t width : {640, 40}) {
    std::int32_t widest = 0;
    const std::int32_t height = document.DoLogic(5, width, widest);
    if (height < 0 || widest < 0) std::abort();
    document.Draw({0, 0, 10 + width + 10, 5 + 2000}, 10);
  }
  return 0;
}
