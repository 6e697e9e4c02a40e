#include <gtest/gtest.h>

#include "FormTestSupport.h"
#include "testing/TestCanvas.h"
#include "document/Cell.h"
#include "document/Section.h"
#include "document/SectionList.h"
#include "forms/FormBuilder.h"
#include "forms/DocumentForms.h"
#include "forms/FormsOfDocument.h"
#include "testing/ControlUser.h"

namespace htmlview {

namespace {

using S = TAttrSymbol;

// A document on the test canvas whose one section reads "Name ", an edit, " ", a hidden
// field, a radio button, then an image that uses a map.
class FormsInADocument : public ::testing::Test {
 protected:
  FormsInADocument() {
    ConnectForms(doc, documentForms);
    doc.Background = 0x00FFEE;
    doc.SetPreFontName("Lucida Console");
    TFormBuilder forms(documentForms);
    auto section = std::make_unique<TSection>(doc, TFontDesc{}, nullptr, TJustify::Left);
    section->AddText("Name ", 0);
    edit = forms.AddInput(Attrs({{S::NAME, "n"}, {S::SIZE, "4"}}));
    section->AddControl(*edit, 5, false);
    section->AddText(" ", 6);
    hidden = forms.AddInput(Attrs({{S::TYPE, "hidden"}}));
    section->AddControl(*hidden, 7, false);
    radio = forms.AddInput(Attrs({{S::TYPE, "radio"}}));
    section->AddControl(*radio, 8, false);
    section->AddImage(Attrs({{S::USEMAP, "#Nav"}, {S::WIDTH, "100"}, {S::HEIGHT, "50"}}), 9, false);
    forms.BeginMap(Attrs({{S::NAME, "nav"}}));
    forms.AddArea(Attrs({{S::SHAPE, "rect"}, {S::COORDS, "0,0,49,49"}, {S::HREF, "left.htm"}}));
    forms.EndMap();
    section->Finish();
    doc.Add(std::move(section));
    std::int32_t widest = 0;
    doc.DoLogic(0, 800, widest);
    doc.Draw(TRect{0, 0, 800, 600}, 0);
  }

  TTestCanvas canvas;
  TDocumentForms documentForms;
  TSectionList doc{canvas};
  TFormControlObj *edit, *hidden, *radio;
};

TEST_F(FormsInADocument, DrawingPlacesControlsInTheirLineAndLayoutHidesThemAgain) {
  const TFontMetrics metrics = canvas.Metrics(canvas.Font(TFontSpec{"Times New Roman", 12}));
  const std::int32_t charWidth =
      canvas.TextWidth(canvas.Font(TFontSpec{"Times New Roman", 12}), "n");
  TDetachedControlWindow& editWindow = Win(edit);
  TDetachedControlWindow& radioWindow = Win(radio);
  EXPECT_EQ(editWindow.Spec().Font.Name, "Lucida Console");
  EXPECT_TRUE(editWindow.Visible());
  EXPECT_TRUE(radioWindow.Visible());
  EXPECT_EQ(editWindow.Left(), 5 * charWidth);
  EXPECT_EQ(radioWindow.Left(), editWindow.Left() + edit->Width() + charWidth)
      << "the hidden field takes no place";
  EXPECT_EQ(editWindow.Top() + editWindow.Height(),
            radioWindow.Top() + radioWindow.Height() + metrics.Descent)
      << "edits stand on the line's bottom, radio buttons on the baseline";
  EXPECT_EQ(radioWindow.Background(), 0x00FFEEu) << "the document's background";
  EXPECT_EQ(documentForms.Forms().front()->NonHiddenCount(), 2u);

  std::int32_t widest = 0;
  doc.DoLogic(0, 800, widest);
  EXPECT_FALSE(editWindow.Visible()) << "no control has the focus: hidden until drawn";

  doc.Draw(TRect{0, 0, 800, 600}, 0);
  UserClick(radioWindow);
  doc.DoLogic(0, 800, widest);
  EXPECT_TRUE(radioWindow.Visible()) << "the focused control is only moved away";
  EXPECT_EQ(radioWindow.Left(), -4000);
  EXPECT_EQ(editWindow.Left(), -4000);
}

TEST_F(FormsInADocument, ImagesFindTheirMapAreasThroughTheDocument) {
  const std::int32_t imageLeft = Win(radio).Left() + radio->Width();
  const std::int32_t y = Win(radio).Top() + radio->Height() - 10;
  const TLinkHit inArea = doc.LinkAt(imageLeft + 10, y);
  ASSERT_TRUE(inArea.Link);
  EXPECT_EQ(inArea.Link->Url, "left.htm");
  EXPECT_FALSE(doc.LinkAt(imageLeft + 80, y).Link) << "outside every area";
}

TEST_F(FormsInADocument, RadioButtonsInAColouredCellTakeItsColour) {
  TFormBuilder forms(documentForms);
  TCell cell(doc);
  cell.Background = 0x0000FF;
  auto section = std::make_unique<TSection>(doc, TFontDesc{}, nullptr, TJustify::Left);
  TFormControlObj* inCell = forms.AddInput(Attrs({{S::TYPE, "radio"}}));
  section->AddControl(*inCell, 0, false);
  cell.Add(std::move(section));
  std::int32_t widest = 0, curs = 0;
  cell.DoLogic(0, 200, widest, curs);
  cell.Draw(TRect{0, 0, 200, 100}, 200, 0, 0);
  EXPECT_EQ(Win(inCell).Background(), 0x0000FFu);
  EXPECT_FALSE(doc.CellBackground) << "the cell's colour ends with the cell";
}

TEST_F(FormsInADocument, EmptyingTheDocumentFreesFormsControlsAndMaps) {
  doc.Clear();
  EXPECT_TRUE(documentForms.Forms().empty());
  EXPECT_TRUE(documentForms.Controls().empty());
  EXPECT_TRUE(documentForms.Maps().empty());
}

}  // namespace

}  // namespace htmlview
