#include <gtest/gtest.h>

#include "FormTestSupport.h"
#include "forms/DocumentForms.h"
#include "forms/FormBuilder.h"
#include "forms/FormLimits.h"

namespace htmlview {

namespace {

using S = TAttrSymbol;

TAttributeList Area(const std::string& shape, const std::string& coords, const std::string& href) {
  return Attrs({{S::SHAPE, shape}, {S::COORDS, coords}, {S::HREF, href}, {S::TARGET, "f-" + href}});
}

std::string LinkAt(const TMapItem& map, std::int32_t x, std::int32_t y) {
  std::string target, frame;
  if (!map.HitTest(x, y, target, frame)) return "-";
  EXPECT_EQ(frame, "f-" + target);
  return target;
}

TEST(ImageMap, AreasAreHitInDocumentOrderWithTheirEdgesIncluded) {
  TMapItem map("nav");
  EXPECT_EQ(map.Name(), "NAV");
  ASSERT_TRUE(map.AddArea(Area("rect", "10,10 20,20", "r")));
  ASSERT_TRUE(map.AddArea(Area("RECTANGLE", "0, 0, 100, 100", "all")));
  ASSERT_TRUE(map.AddArea(Area("circle", "200,50,10", "c")));
  ASSERT_TRUE(map.AddArea(Area("whatever", "60,310,40,300", "reversed")));
  struct Case {
    std::int32_t x, y;
    std::string link;
  };
  for (const Case& c :
       {Case{10, 10, "r"}, Case{20, 20, "r"}, Case{21, 20, "all"}, Case{100, 100, "all"},
        Case{101, 100, "-"}, Case{210, 50, "c"}, Case{200, 40, "c"}, Case{207, 57, "c"},
        Case{208, 58, "-"}, Case{211, 50, "-"}, Case{50, 305, "reversed"}, Case{-5, 0, "-"}})
    EXPECT_EQ(LinkAt(map, c.x, c.y), c.link) << c.x << "," << c.y;
}

// A SHAPE is read by its first four letters: "circ" is a circle, which three numbers make
// and two do not (a rectangle would need four).
TEST(ImageMap, CircIsACircleOfThreeNumbers) {
  TMapItem map("m");
  EXPECT_FALSE(map.AddArea(Area("circ", "5,5", "two")));
  ASSERT_TRUE(map.AddArea(Area("CIRC", "10,10,5", "three")));
  EXPECT_EQ(LinkAt(map, 13, 13), "three");
  EXPECT_EQ(LinkAt(map, 14, 14), "-") << "inside the square around it, outside the circle";
  EXPECT_EQ(map.Areas().size(), 1u);
}

TEST(ImageMap, TooFewNumbersDropTheAreaAndNohrefBlocksTheLinksBelow) {
  TMapItem map("m");
  EXPECT_FALSE(map.AddArea(Area("rect", "1,2,3", "rect")));
  EXPECT_FALSE(map.AddArea(Area("poly", "1,2,3,4,5", "poly")));
  EXPECT_FALSE(map.AddArea(Area("rect", "", "none")));
  TAttributeList nohref = Area("rect", "0,0,9,9", "hole");
  nohref.Add({S::NOHREF, 0, ""});
  EXPECT_TRUE(map.AddArea(nohref));
  EXPECT_TRUE(map.AddArea(Area("rect", "0,0,50,50", "square")));
  EXPECT_EQ(map.Areas().size(), 2u);
  EXPECT_EQ(LinkAt(map, 5, 5), "-") << "the first area holding the point has no link";
  EXPECT_EQ(LinkAt(map, 30, 30), "square");
}

TEST(ImageMap, PolygonsFillByWinding) {
  // A five-pointed star drawn in one stroke runs twice round its centre: the even-odd
  // rule would leave the centre out, winding keeps it in.
  TMapItem map("star");
  ASSERT_TRUE(map.AddArea(Area("polygon", "50,0 79,90 2,35 98,35 21,90", "star")));
  EXPECT_EQ(LinkAt(map, 50, 50), "star") << "centre, wound twice";
  EXPECT_EQ(LinkAt(map, 50, 10), "star") << "a point";
  EXPECT_EQ(LinkAt(map, 50, 0), "star") << "a corner";
  EXPECT_EQ(LinkAt(map, 10, 80), "-") << "between two points";
  EXPECT_EQ(LinkAt(map, 50, 95), "-");

  TMapItem odd("odd");
  ASSERT_TRUE(odd.AddArea(Area("poly", "0,0 10,0 10,10 0,10 7", "square")));
  EXPECT_EQ(odd.Areas().size(), 1u);
  EXPECT_EQ(LinkAt(odd, 10, 5), "square") << "an edge; the lone last number is ignored";
  EXPECT_EQ(LinkAt(odd, 11, 5), "-");
}

TEST(ImageMap, CoordsAreReadLeniantlyAndBounded) {
  EXPECT_EQ(ParseCoords(" 1, 2 ,,3\t-4 +5 x 7px", 301),
            (std::vector<std::int32_t>{1, 2, 3, -4, 5, 0, 7}));
  std::string many;
  for (int i = 0; i < 1000; ++i) many += "1,";
  EXPECT_EQ(ParseCoords(many, form_limits::kMaxCoords).size(), 301u);
  EXPECT_EQ(ParseCoords("99999999999999999999", 301).front(), form_limits::kMaxCoordValue);
  TMapItem map("big");
  ASSERT_TRUE(map.AddArea(Area("circle", "0,0,99999999999", "huge")));
  EXPECT_EQ(LinkAt(map, 2000000000, 0), "-") << "no overflow";
  EXPECT_EQ(LinkAt(map, 999999, 0), "huge");
}

TEST(ImageMap, OnlyAMapClosedByItsEndTagReachesTheDocument) {
  TDocumentForms document;
  {
    TFormBuilder builder(document);
    builder.AddArea(Area("rect", "0,0,9,9", "stray"));  // outside a MAP
    builder.BeginMap(Attrs({{S::NAME, "first"}}));
    builder.AddArea(Area("rect", "0,0,9,9", "a"));
    builder.BeginMap(Attrs({{S::NAME, "Second"}}));  // cuts "first" short
    builder.AddArea(Area("rect", "0,0,9,9", "b"));
    builder.EndMap();
    builder.BeginMap(Attrs({{S::NAME, "third"}}));
    builder.AddArea(Area("rect", "0,0,9,9", "c"));
    builder.AbandonMap();
    builder.EndMap();
    builder.BeginMap(Attrs({{S::NAME, "fourth"}}));  // the input ends inside it
  }
  ASSERT_EQ(document.Maps().size(), 1u);
  EXPECT_EQ(document.FindMap("#second"), document.Maps().front().get());
  EXPECT_EQ(document.FindMap("SECOND")->Areas().size(), 1u);
  EXPECT_EQ(document.FindMap("first"), nullptr);
  EXPECT_EQ(document.FindMap("third"), nullptr);
  EXPECT_EQ(document.FindMap("fourth"), nullptr);
}

}  // namespace

}  // namespace htmlview
