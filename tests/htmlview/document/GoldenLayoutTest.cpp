// Whole layouts compared with the dumps in golden/: sections, lines (x, y, width, height
// above + text + below, characters) and every draw call of the test canvas.
#include <gtest/gtest.h>

#include "DocBuilder.h"
#include "GoldenDocuments.h"
#include "GoldenFile.h"

namespace htmlview {

namespace {

// Wrapping and a word wider than the line, preformatted lines that never wrap, centre and
// right alignment, lists nested three deep, list numbers in every style, floats on both
// sides, CLEAR, rules, images with ALT boxes, font runs and links.
TEST(GoldenLayout, EveryDocumentLaysOutAsItsDump) {
  for (const TGoldenDocument& golden : GoldenDocuments()) {
    SCOPED_TRACE(golden.Name);
    TTestDocument test;
    golden.Build(test.doc);
    ExpectGolden(PAVINA_DOCUMENT_GOLDEN_DIR, golden.Name, LayoutAndDrawDump(test, golden.Width));
  }
}

}  // namespace

}  // namespace htmlview
