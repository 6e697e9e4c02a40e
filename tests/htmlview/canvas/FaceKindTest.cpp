#include <gtest/gtest.h>

#include "canvas/FaceKind.h"
#include "testing/TestCanvas.h"
#include "document/FontObj.h"
#include "document/SectionList.h"

namespace htmlview {

namespace {
TEST(FaceKind, PreformattedTextAndKnownFacesKeepTheirKind) {
  const struct {
    const char* name;
    bool preformatted;
    TFaceKind kind;
  } cases[] = {
      {"Times New Roman", false, TFaceKind::Serif},
      {"georgia", false, TFaceKind::Serif},
      {"Liberation Serif", false, TFaceKind::Serif},
      {"MS Sans Serif", false, TFaceKind::Any},
      {"Arial", false, TFaceKind::Any},
      {"Courier New", false, TFaceKind::Fixed},
      {"DejaVu Sans Mono", false, TFaceKind::Fixed},
      {"Lucida Console", false, TFaceKind::Fixed},
      {"Arial", true, TFaceKind::Fixed},
      {"Fantasy Face", true, TFaceKind::Fixed},
  };
  for (const auto& c : cases) {
    TFontSpec spec;
    spec.Name = c.name;
    spec.FixedPitch = c.preformatted;
    EXPECT_EQ(FaceKindOf(spec), c.kind) << c.name << (c.preformatted ? " preformatted" : "");
  }
}

// The runs of preformatted text ask for their face as preformatted, whatever it is named.
TEST(FaceKind, PreformattedRunsSaySo) {
  TTestCanvas canvas;
  TSectionList doc(canvas);
  doc.SetPreFontName("Pavina Typewriter");
  TFontDesc pre, body;
  pre.FixedPitch = true;
  const TFontSpec preSpec = ResolveFont(pre, TSubSuper::None, doc);
  EXPECT_EQ(preSpec.Name, "Pavina Typewriter");
  EXPECT_TRUE(preSpec.FixedPitch);
  EXPECT_FALSE(ResolveFont(body, TSubSuper::None, doc).FixedPitch);
}
}  // namespace

}  // namespace htmlview
