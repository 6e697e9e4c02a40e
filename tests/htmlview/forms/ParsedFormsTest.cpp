#include <gtest/gtest.h>

#include <string_view>

#include "FormTestSupport.h"
#include "testing/TestCanvas.h"
#include "document/SectionList.h"
#include "forms/FormLimits.h"
#include "forms/DocumentForms.h"
#include "forms/FormsOfDocument.h"
#include "forms/ListBoxFormControlObj.h"
#include "forms/TextAreaFormControlObj.h"
#include "parser/AnchorList.h"
#include "parser/HtmlParser.h"
#include "testing/ControlUser.h"

namespace htmlview {

namespace {

// Pages read by the parser into a document whose forms act on the detached host.
class ParsedForms : public ::testing::Test {
 protected:
  ParsedForms() {
    ConnectForms(doc, documentForms);
    documentForms.SubmitHandler = [this](const TFormSubmission& s) { submitted.push_back(s); };
  }
  void Parse(std::string_view html) {
    doc.Clear();
    anchors.Clear();
    parser.ParseBuffer({doc, anchors, &documentForms}, html, {});
  }
  TFormControlObj* Control(std::size_t index) const { return documentForms.Controls().at(index); }

  TTestCanvas canvas;
  TDocumentForms documentForms;
  TSectionList doc{canvas};
  TAnchorList anchors;
  THtmlParser parser;
  std::vector<TFormSubmission> submitted;
};

// A parse error among the options: the list window shows the options the form holds.
TEST_F(ParsedForms, AParseErrorInsideASelectLeavesItsOptionsShown) {
  for (const char* page : {"<select name=s><option>a<option selected>b<!-- open",
                           "<select name=s multiple><option>a<option selected>b<!-- open"}) {
    Parse(page);
    EXPECT_NE(parser.ParseError(), "") << page;
    ASSERT_EQ(documentForms.Controls().size(), 1u) << page;
    EXPECT_EQ(Win(Control(0)).Items(), (std::vector<std::string>{"a", "b"})) << page;
  }
}

TEST_F(ParsedForms, APageFormSubmitsWhatItsControlsHold) {
  Parse(R"(<form action="/cgi/find" method=post>
    Name <input name=who value="Ann &amp; Bob" size=10>
    <input type=checkbox name=all> <input type=checkbox name=some checked>
    <select name=colour><option>Red<option selected value=g> Green </select>
    <select name=sizes size=4 multiple><option selected>S<option>M<option selected>L</select>
    <textarea name=note rows=2>
line &lt;one&gt;
line two</textarea>
    <input type=hidden name=id value=7><input type=submit name=go></form>
    <input name=outside>)");
  ASSERT_EQ(documentForms.Forms().size(), 2u) << "the control after /FORM gets its own";
  ASSERT_EQ(documentForms.Controls().size(), 9u);
  UserClick(Win(Control(7)));
  ASSERT_EQ(submitted.size(), 1u);
  EXPECT_EQ(submitted[0].Action, "/cgi/find");
  EXPECT_EQ(submitted[0].Method, "post");
  EXPECT_EQ(submitted[0].Results,
            (std::vector<std::string>{"who=Ann & Bob", "some=on", "colour=g", "sizes=S", "sizes=L",
                                      "note=line <one>\r\nline two", "id=7", "go=Submit"}));

  auto* sizes = dynamic_cast<TListBoxFormControlObj*>(Control(4));
  ASSERT_NE(sizes, nullptr);
  EXPECT_EQ(sizes->Rows(), 4);
  EXPECT_EQ(Win(Control(3)).Spec().Kind, TControlKind::DropDownList);
  EXPECT_EQ(dynamic_cast<TTextAreaFormControlObj*>(Control(5))->Rows(), 2);
}

TEST_F(ParsedForms, OnlyClosedMapsWithEnoughCoordinatesCount) {
  struct Case {
    std::string_view html;
    std::size_t areas;  // of map "M"; -1 for no map at all
  };
  const Case cases[] = {
      {"<map name=m><area coords=0,0,5,5 href=a></map>", 1},
      {"<map name=m><area shape=circle coords=5,5 href=a><area shape=circle coords=5,5,5 href=b>"
       "</map>",
       1},
      {"<map name=m>text between <area coords=0,0,5,5 href=a> is allowed</map>", 1},
      {"<map name=m><area coords=0,0,5,5 href=a>", static_cast<std::size_t>(-1)},
      {"<map name=m><area coords=0,0,5,5 href=a><p>two stray<br>tags<area coords=1,1,2,2 href=b>"
       "</map>",
       2},
      {"<map name=m><area coords=0,0,5,5 href=a><p><br><b>a third cuts it short</map>",
       static_cast<std::size_t>(-1)},
  };
  for (const Case& c : cases) {
    Parse(c.html);
    const TMapItem* map = documentForms.FindMap("#M");
    if (c.areas == static_cast<std::size_t>(-1)) {
      EXPECT_EQ(map, nullptr) << c.html;
      EXPECT_TRUE(documentForms.Maps().empty()) << c.html;
    } else {
      ASSERT_NE(map, nullptr) << c.html;
      EXPECT_EQ(map->Areas().size(), c.areas) << c.html;
    }
  }
}

TEST_F(ParsedForms, HostilePagesStayWithinTheBounds) {
  std::string page;
  for (int i = 0; i < 3000; ++i) page += "<input type=checkbox checked>";
  Parse(page);
  EXPECT_EQ(documentForms.Controls().size(), form_limits::kMaxControls);

  page = "<select multiple>";
  for (int i = 0; i < 150000; ++i) page += "<option selected>o";
  page += "</select><map name=m><area shape=poly coords=\"";
  for (int i = 0; i < 100000; ++i) page += "99999999999,";
  page += "\" href=x>";
  for (int i = 0; i < 5000; ++i) page += "<area coords=1,1,2,2 href=y>";
  page += "</map>";
  Parse(page);
  ASSERT_EQ(documentForms.Controls().size(), 1u);
  EXPECT_EQ(dynamic_cast<TOptionListControlObj*>(Control(0))->Options().size(),
            form_limits::kMaxOptionsPerSelect);
  const TMapItem* map = documentForms.FindMap("m");
  ASSERT_NE(map, nullptr);
  EXPECT_EQ(map->Areas().size(), form_limits::kMaxAreasPerMap);
  std::string target, frame;
  EXPECT_FALSE(map->HitTest(5, 5, target, frame)) << "the polygon is one repeated point";
  EXPECT_TRUE(map->HitTest(1, 1, target, frame));
  EXPECT_EQ(target, "y");
}

}  // namespace

}  // namespace htmlview
