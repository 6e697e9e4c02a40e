// Documents built to hurt: they must lay out and draw in bounded time and memory, without
// a crash (these run under the sanitizers natively).
#include <gtest/gtest.h>

#include "DocBuilder.h"

namespace htmlview {

namespace {

std::int32_t LayOutAndDrawAll(TTestDocument& test, std::int32_t width) {
  std::int32_t widest = 0;
  const std::int32_t height = test.doc.DoLogic(0, width, widest);
  test.canvas.ClearCalls();
  test.doc.Draw({0, 0, 1000, 2000}, 0);
  return height;
}

TEST(HostileDocument, TenThousandNestedListLevelsIndentNoFurtherThanTheCap) {
  TTestDocument test;
  {
    TDocBuilder b(test.doc);
    for (int level = 1; level <= 10000; ++level) b.Bullet(level).Text("item");
    b.Level(0).Text("after");
  }
  LayOutAndDrawAll(test, 400);
  std::int32_t deepest = 0;
  for (const auto& section : test.doc.Sections())
    deepest = std::max(deepest, static_cast<const TSection&>(*section).Lines()[0].LineX);
  EXPECT_EQ(deepest, IndentManager::kMaxListLevel * IndentManager::kListIndent);
  EXPECT_EQ(static_cast<const TSection&>(*test.doc.Sections().back()).Lines()[0].LineX, 0);
}

TEST(HostileDocument, AOneMegabyteWordIsOneLine) {
  TTestDocument test;
  const std::string word(1 << 20, 'w');
  {
    TDocBuilder b(test.doc);
    b.Text("before ").Text(word).Text(" after");
  }
  std::int32_t widest = 0;
  test.doc.DoLogic(0, 300, widest);
  const auto& lines = static_cast<const TSection&>(*test.doc.Sections()[0]).Lines();
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_EQ(lines[1].Ln, (1 << 20) + 1);
  EXPECT_EQ(widest, 7 * (1 << 20));
  // Layout, hit-tests and drawing near it measure by runs and bisection, not per
  // character (which would be a million measurements).
  EXPECT_LE(test.canvas.Measurements(), 200);
  const std::int64_t laidOut = test.canvas.Measurements();
  EXPECT_EQ(test.doc.CursorAt(7 * 1000 + 1, lines[1].DrawY + 1).Index, 7 + 1000);
  test.doc.Draw({0, 0, 300, 100}, 0);
  EXPECT_LE(test.canvas.Measurements() - laidOut, 20);
}

TEST(HostileDocument, AHundredThousandSections) {
  TTestDocument test;
  {
    TDocBuilder b(test.doc);
    for (int n = 0; n < 100000; ++n) b.Text("line").Br();
  }
  const std::int32_t height = LayOutAndDrawAll(test, 200);
  EXPECT_EQ(height, 100000 * 15);
  EXPECT_EQ(test.doc.SectionAtY(15 * 99999), 99999);
}

TEST(HostileDocument, HugeAttributesAreBounded) {
  TTestDocument test;
  test.doc.FontSize = 2000000000;
  {
    TDocBuilder b(test.doc);
    b.Image("SRC=a.gif WIDTH=2000000000 HEIGHT=2000000000 HSPACE=-2000000000 VSPACE=99999");
    b.Image("SRC=b.gif ALIGN=left WIDTH=2000000000 HEIGHT=2000000000").Text("text");
    b.Hr("SIZE=2000000000 WIDTH=2000000000");
    b.Number(1, 2000000000, 'i').Text("numbered");
  }
  LayOutAndDrawAll(test, 300);
  const TImageObj* image = test.doc.ImageList[0];
  EXPECT_LE(image->ImageWidth, 32000);
  EXPECT_EQ(image->HSpace, 40);
  EXPECT_EQ(image->VSpace, 40);
  EXPECT_LE(test.canvas.FontsMade()[0].SizePt, 1000);
}

TEST(HostileDocument, AHugeRuleInsideAListStaysWithinTheImageCap) {
  TTestDocument test;
  {
    TDocBuilder b(test.doc);
    b.Bullet(1).Text("in a list");
    b.Hr("WIDTH=2147483647");
    b.Hr("WIDTH=2147483647 ALIGN=right");
  }
  std::int32_t widest = 0;
  test.doc.DoLogic(0, 300, widest);
  EXPECT_EQ(widest, 35 + 32000);
}

TEST(HostileDocument, ThousandsOfFloatsInOneLine) {
  TTestDocument test;
  {
    TDocBuilder b(test.doc);
    for (int n = 0; n < 3000; ++n) b.Image("SRC=f.gif ALIGN=left WIDTH=10 HEIGHT=10");
    b.Text("beside them all");
  }
  LayOutAndDrawAll(test, 300);
  const auto& section = static_cast<const TSection&>(*test.doc.Sections()[0]);
  EXPECT_EQ(section.Lines()[0].LineX, 3000 * 20);
}

// Each float and each line asks where the floats beside it end: when every float placed
// in a section was kept and searched each time, a page like this took minutes.
TEST(HostileDocument, FloatsSideBySideAndLinesPastEndedOnesKeepFewRecords) {
  constexpr int kFloats = 20000;
  TTestDocument test;
  {
    TDocBuilder b(test.doc);
    for (int n = 0; n < kFloats; ++n) b.Image("SRC=f.gif ALIGN=left WIDTH=1 HEIGHT=10 HSPACE=0");
    b.Text("beside them all").Br();
    // One-pixel floats that each open a line and end within it, then plain lines.
    for (int n = 0; n < kFloats / 2; ++n)
      b.Text("w ").Image("SRC=f.gif ALIGN=left WIDTH=1 HEIGHT=1 HSPACE=0");
    for (int n = 0; n < kFloats / 2; ++n) b.Text("w ");
  }
  std::int32_t widest = 0;
  test.doc.DoLogic(0, 20, widest);
  const auto& beside = static_cast<const TSection&>(*test.doc.Sections()[0]);
  EXPECT_EQ(beside.Lines()[0].LineX, kFloats);
  const auto& lines = static_cast<const TSection&>(*test.doc.Sections()[1]).Lines();
  ASSERT_EQ(lines.size(), static_cast<std::size_t>(kFloats));
  EXPECT_EQ(lines[1].LineX, 1);
  EXPECT_EQ(lines.back().LineX, 0);
  EXPECT_LE(test.doc.IMgr().FloatRecords(), 2u);
}

}  // namespace

}  // namespace htmlview
