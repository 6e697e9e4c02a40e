// Hit-tests: the character index at a point and back, links and images under the mouse,
// the section at a Y and the selection's text.
#include <gtest/gtest.h>

#include "DocBuilder.h"

namespace htmlview {

namespace {

const char* const kText = "Pack my box with five dozen liquor jugs, then wrap it. ";

class HitTestDocument : public ::testing::Test {
 protected:
  void LayOut(std::int32_t width) {
    std::int32_t widest = 0;
    height_ = test_.doc.DoLogic(5, width, widest);
  }
  TTestDocument test_;
  std::int32_t height_ = 0;
};

TEST_F(HitTestDocument, EveryCharacterIsFoundAtItsOwnPlace) {
  {
    TDocBuilder b(test_.doc);
    b.Text(kText).Style(TFontStyle::Bold).Text(kText).Style(0);
    b.Para().Align(TJustify::Centre).Text(kText);
    b.Bullet(2).Size(18).Text("big ").Size(12).Text(kText);
  }
  LayOut(180);
  // Every character: its caret position, and back from a point just inside it.
  char ch = 0;
  std::int32_t count = 0;
  for (std::int32_t index = 0; test_.doc.GetChAtPos(index, ch); ++index, ++count) {
    std::int32_t x = 0;
    std::int32_t y = 0;
    ASSERT_TRUE(test_.doc.CursorToXY(index, x, y)) << index;
    const TCursorHit hit = test_.doc.CursorAt(x + 1, y + 1);
    EXPECT_EQ(hit.Index, index) << "character " << index << " '" << ch << "'";
    EXPECT_TRUE(hit.InText) << index;
    EXPECT_EQ(hit.X, x) << index;
  }
  EXPECT_EQ(count, 3 * 55 + 4 + 55);
}

TEST_F(HitTestDocument, PointsBesideTheTextFindTheLineEnds) {
  {
    TDocBuilder b(test_.doc);
    b.Text(kText);
  }
  LayOut(200);
  const TSection& section = static_cast<const TSection&>(*test_.doc.Sections()[0]);
  const LineRec& first = section.Lines()[0];
  TCursorHit left = test_.doc.CursorAt(-20, first.DrawY + 2);
  EXPECT_EQ(left.Index, 0);
  EXPECT_FALSE(left.InText);
  // Right of a wrapped line: before the spaces at which it broke.
  TCursorHit right = test_.doc.CursorAt(first.LineX + first.DrawWidth + 2, first.DrawY + 2);
  EXPECT_FALSE(right.InText);
  ASSERT_GT(right.Index, 0);
  char before = 0;
  ASSERT_TRUE(test_.doc.GetChAtPos(right.Index - 1, before));
  EXPECT_NE(before, ' ');
  EXPECT_EQ(test_.doc.CursorAt(10, height_ + 100).Index, -1);  // below the document
}

TEST_F(HitTestDocument, LinksUnderTheMouse) {
  TImageObj* image = nullptr;
  TImageObj* map = nullptr;
  {
    TDocBuilder b(test_.doc);
    b.Text("see ").Link("target.htm").Text("the link").EndLink().Text(" or ");
    b.Link("pic.htm").Image("SRC=p.gif WIDTH=20 HEIGHT=20");
    image = b.LastImage();
    b.Image("SRC=m.gif WIDTH=20 HEIGHT=20 ISMAP").EndLink();
    b.Image("SRC=u.gif WIDTH=30 HEIGHT=20 USEMAP=#Areas");
    map = b.LastImage();
  }
  test_.doc.FindMapArea = [](const std::string& name, std::int32_t x, std::int32_t,
                             TUrlTarget& link) {
    if (name != "AREAS" || x >= 15) return false;
    link.Url = "area.htm";
    return true;
  };
  LayOut(400);
  const TSection& section = static_cast<const TSection&>(*test_.doc.Sections()[0]);
  const std::int32_t y = section.Lines()[0].Baseline() - 2;
  EXPECT_EQ(test_.doc.LinkAt(7 * 3 + 3, y).Link, nullptr);  // the space of "see "
  const TLinkHit onText = test_.doc.LinkAt(7 * 5, y);
  ASSERT_NE(onText.Link, nullptr);
  EXPECT_EQ(onText.Link->Url, "target.htm");
  EXPECT_EQ(onText.Link, test_.doc.LinkList[0]);

  const TLinkHit onImage = test_.doc.LinkAt(image->DrawX + 5, image->DrawY + 5);
  ASSERT_NE(onImage.Link, nullptr);
  EXPECT_EQ(onImage.Link->Url, "pic.htm");
  // ISMAP: the point within the picture (inside its one-pixel link border).
  const TImageObj* ismap = test_.doc.ImageList[1];
  const TLinkHit onMap = test_.doc.LinkAt(ismap->DrawX + 6, ismap->DrawY + 4);
  ASSERT_NE(onMap.Link, nullptr);
  EXPECT_EQ(onMap.Link->Url, "pic.htm?5,3");
  EXPECT_EQ(test_.doc.LinkAt(map->DrawX + 3, map->DrawY + 3).Link->Url, "area.htm");
  EXPECT_EQ(test_.doc.LinkAt(map->DrawX + 20, map->DrawY + 3).Link, nullptr);
}

TEST_F(HitTestDocument, ImagesUnderTheMouseIncludingFloatsHangingBelowTheirSection) {
  TImageObj* floating = nullptr;
  {
    TDocBuilder b(test_.doc);
    b.Image("SRC=f.gif ALIGN=right WIDTH=40 HEIGHT=100");
    floating = b.LastImage();
    b.Text("short").Para().Text("next paragraph beside the float");
  }
  LayOut(300);
  ASSERT_GT(floating->DrawY + 90,
            test_.doc.Sections()[0]->YValue + test_.doc.Sections()[0]->SectionHeight);
  const TImageHit hit = test_.doc.ImageAt(floating->DrawX + 10, floating->DrawY + 90);
  EXPECT_EQ(hit.Image, floating);
  EXPECT_EQ(hit.X, 10);
  EXPECT_EQ(hit.Y, 90);
  EXPECT_EQ(test_.doc.ImageAt(floating->DrawX - 2, floating->DrawY + 90).Image, nullptr);
}

TEST_F(HitTestDocument, SectionAtAYAndTheTopOfSectionN) {
  {
    TDocBuilder b(test_.doc);
    b.Text("one").Para().Text("two").Hr().Text("three");
  }
  LayOut(300);
  const auto& sections = test_.doc.Sections();
  for (std::size_t n = 0; n < sections.size(); ++n) {
    EXPECT_EQ(test_.doc.SectionAtY(sections[n]->YValue), static_cast<std::int32_t>(n));
    EXPECT_EQ(test_.doc.SectionTop(n) + 5, sections[n]->YValue);
  }
  EXPECT_EQ(test_.doc.SectionAtY(4), -1);
  EXPECT_EQ(test_.doc.SectionAtY(5 + height_), -1);
}

TEST_F(HitTestDocument, SelectedTextAndSearch) {
  {
    TDocBuilder b(test_.doc);
    b.Text("first paragraph").Para().Text("Second").NoBreakText("\5line");
  }
  LayOut(300);
  test_.doc.SelB = 6;
  test_.doc.SelE = 21;
  EXPECT_EQ(test_.doc.SelectedText(), "paragraph\r\nSecond");
  test_.doc.SelE = 100;
  EXPECT_EQ(test_.doc.SelectedText(), "paragraph\r\nSecond line\r\n");
  EXPECT_EQ(test_.doc.FindString(0, "SECOND LINE", false), 15);
  EXPECT_EQ(test_.doc.FindString(0, "SECOND", true), -1);
  EXPECT_EQ(test_.doc.FindString(1, "first", false), -1);
}

}  // namespace

}  // namespace htmlview
