// Loading into the view: properties and their limits, missing files, anchors, history,
// pictures from the host, animation on the host's timer, and meta refresh.
#include <string>
#include <vector>

#include "ViewTestHost.h"
#include "document/ImageObj.h"
#include "document/SectionList.h"
#include "view/MetaRefresh.h"

namespace htmlview {

namespace {
TEST_F(ViewTest, PropertiesHoldTheirLimits) {
  EXPECT_EQ(view.DefFontSize(), 12);
  EXPECT_EQ(view.ImageCacheCount(), 5);
  EXPECT_EQ(view.VisitedMaxCount(), 50);
  std::vector<bool> processing;
  view.OnProcessing = [&](THtmlView&, bool on) { processing.push_back(on); };
  using TSet = void (THtmlView::*)(int);
  using TGet = int (THtmlView::*)() const;
  const struct {
    TSet set;
    TGet get;
    int value, expected;
  } cases[] = {
      {&THtmlView::SetDefFontSize, &THtmlView::DefFontSize, 3, 6},
      {&THtmlView::SetImageCacheCount, &THtmlView::ImageCacheCount, 50, 20},
      {&THtmlView::SetImageCacheCount, &THtmlView::ImageCacheCount, -2, 0},
      {&THtmlView::SetMarginWidth, &THtmlView::MarginWidth, 500, 200},
      {&THtmlView::SetMarginWidth, &THtmlView::MarginWidth, -1, 200},
      {&THtmlView::SetMarginHeight, &THtmlView::MarginHeight, -7, 5},
      {&THtmlView::SetMarginHeight, &THtmlView::MarginHeight, 300, 200},
      {&THtmlView::SetVisitedMaxCount, &THtmlView::VisitedMaxCount, -3, 0},
      {&THtmlView::SetHistoryMaxCount, &THtmlView::HistoryMaxCount, 3, 3},
      {&THtmlView::SetHistoryMaxCount, &THtmlView::HistoryMaxCount, -1, 3},  // the limit before
  };
  for (const auto& c : cases) {
    (view.*c.set)(c.value);
    EXPECT_EQ((view.*c.get)(), c.expected) << "case " << &c - cases;
  }
  // Only the two margins taken re-laid the page out, each under Processing.
  EXPECT_EQ(processing, (std::vector<bool>{true, false, true, false}));
  view.SetServerRoot("  C:\\web\\ ");
  EXPECT_EQ(view.ServerRoot(), "C:\\web");
}

TEST_F(ViewTest, AMissingFileRaisesAndAnEmptyTextEmptiesTheView) {
  files.Add("shown.htm", "<title>Shown</title><p>Kept text.</p>");
  view.OpenDocumentFile("shown.htm");
  const std::size_t sections = view.Document().Count();
  ASSERT_GT(sections, 0u);
  try {
    view.OpenDocumentFile("missing.htm#anchor");
    FAIL() << "no error for a missing file";
  } catch (const EInOutError& error) {
    EXPECT_EQ(std::string(error.what()), "Can't locate file: missing.htm");
  }
  EXPECT_EQ(view.CurrentFile(), File("shown.htm"));
  EXPECT_EQ(view.DocumentTitle(), "Shown");
  EXPECT_EQ(view.Document().Count(), sections);
  EXPECT_FALSE(view.Processing());
  EXPECT_EQ(host.BusyDepth, 0);
  // A text load forgets the file; an empty one shows an empty page without the bars that
  // the page before it needed.
  view.OpenDocumentText("<pre>" + std::string(400, 'x') + "</pre>" + LongPage());
  EXPECT_EQ(view.CurrentFile(), "");
  ASSERT_TRUE(view.Arrangement().VerticalVisible);
  ASSERT_TRUE(view.Arrangement().HorizontalShown);
  view.OpenDocumentText("");
  EXPECT_TRUE(view.Document().Empty());
  EXPECT_FALSE(view.Arrangement().VerticalVisible);
  EXPECT_FALSE(view.Arrangement().HorizontalShown);
}

TEST_F(ViewTest, AnchorsAreFoundInAnyCase) {
  files.Add("long.htm", LongPage());
  files.Add("other.htm", LongPage());
  view.OpenDocumentFile("long.htm#mixedCASE");
  const int anchored = view.VerticalPosition();
  EXPECT_GT(anchored, 1000);
  EXPECT_EQ(view.Visited().Items().at(0), File("long.htm#mixedCASE"));
  for (const char* name : {"#MIXEDcase", "mixedcase"}) {  // the "#" may be left out
    view.SetVerticalPosition(0);
    EXPECT_TRUE(view.ScrollToAnchor(name)) << name;
    EXPECT_EQ(view.VerticalPosition(), anchored) << name;
  }
  EXPECT_FALSE(view.ScrollToAnchor("#nowhere"));
  EXPECT_FALSE(view.ScrollToAnchor(""));
  EXPECT_EQ(view.VerticalPosition(), anchored);
  // An unknown anchor keeps the place on a reload of the same file (under any letter
  // case) and shows the top of another one.
  const struct {
    const char* name;
    int expected;
  } reloads[] = {{"long.htm#nowhere", 400}, {"LONG.HTM#nowhere", 400}, {"other.htm#nowhere", 0}};
  for (const auto& reload : reloads) {
    view.SetVerticalPosition(400);
    view.OpenDocumentFile(reload.name);
    EXPECT_EQ(view.VerticalPosition(), reload.expected) << reload.name;
  }
}

TEST_F(ViewTest, HistoryRecordsFilesWhenAllowed) {
  int changes = 0;
  view.OnHistoryChange = [&](THtmlView&) { ++changes; };
  files.Add("first.htm", LongPage("First"));
  files.Add("second.htm", "<title>Second</title><p>2</p>");
  view.OpenDocumentFile("first.htm");
  view.OpenDocumentFile("second.htm");
  EXPECT_EQ(view.History().Count(), 0u);  // HistoryMaxCount 0 keeps none
  view.SetHistoryMaxCount(5);
  view.OpenDocumentFile("first.htm");
  view.SetVerticalPosition(400);
  // The same file under another letter case is a reload: it keeps its place and records
  // nothing.
  view.OpenDocumentFile("FIRST.HTM");
  EXPECT_EQ(view.VerticalPosition(), 400);
  EXPECT_EQ(view.History().Count(), 1u);
  const std::uint32_t left = view.Position();
  ASSERT_NE(left, 0u);
  view.OpenDocumentFile("second.htm");
  view.OpenDocumentText("<p>text</p>");  // nor does a text record anything
  EXPECT_EQ(view.History().FileNames(), (TStrings{File("second.htm"), File("FIRST.HTM")}));
  EXPECT_EQ(view.History().Titles(), (TStrings{"Second", "First"}));
  EXPECT_EQ(view.History().Positions().at(1).Pos, left);  // where the first was left
  EXPECT_EQ(changes, 2);
  view.SetHistoryMaxCount(-1);
  EXPECT_EQ(view.History().Count(), 2u);
  view.SetHistoryMaxCount(1);
  EXPECT_EQ(view.History().Count(), 0u);
  EXPECT_EQ(changes, 3);
}

// The host answers by name (as written) with bytes, nothing, or bytes to come; those that
// come later go to the pictures waiting for them and to the background.
TEST_F(ViewTest, TheHostSuppliesPicturesNowOrLater) {
  TStrings asked;
  bool ready = false;
  view.OnImageRequest = [&](THtmlView&, const std::string& src) {
    asked.push_back(src);
    const bool late = src.rfind("late/", 0) == 0;
    TImageRequestAnswer answer;
    if (src == "virtual/now.gif" || (late && ready)) {
      answer.Kind = TImageRequestAnswer::TKind::Stream;
      answer.Bytes = SolidGif(3, 2);
    } else if (late) {
      answer.Kind = TImageRequestAnswer::TKind::Later;
    }
    return answer;
  };
  view.OpenDocumentText(
      "<body background=\"late/bg.gif\"><img src=\"virtual/now.gif\">"
      "<img src=\"none.gif\"><img src=\"late/one.gif\"><img src=\"late/one.gif\">");
  const auto& images = view.Document().ImageList;
  ASSERT_EQ(images.size(), 4u);
  EXPECT_EQ(TStrings(asked.begin(), asked.begin() + 2), (TStrings{"virtual/now.gif", "none.gif"}));
  EXPECT_EQ(images[0]->NaturalSize().Width, 3);
  const auto shown = [&] {
    std::string pictures;
    for (const auto& image : images) pictures += image->HasPicture() ? '+' : '-';
    return pictures + (view.Document().BackgroundBitmap ? " background" : "");
  };
  EXPECT_EQ(shown(), "+---");
  ready = true;
  EXPECT_FALSE(view.ImageArrived("late/other.gif"));  // nobody waits for it
  EXPECT_TRUE(view.ImageArrived("LATE/ONE.GIF"));
  EXPECT_EQ(shown(), "+-++");
  EXPECT_TRUE(view.ImageArrived("late/bg.gif"));
  EXPECT_EQ(shown(), "+-++ background");
}

TEST_F(ViewTest, ViewImagesTakesPicturesAwayAndBack) {
  ServePictures({{"small.gif", SolidGif(5, 4)}});
  std::vector<bool> processing;
  view.OnProcessing = [&](THtmlView&, bool on) { processing.push_back(on); };
  view.OpenDocumentText("<p>Before <img src=\"small.gif\"> after</p>");
  const TImageObj& image = *view.Document().ImageList.at(0);
  EXPECT_TRUE(image.HasPicture());
  view.SetViewImages(false);
  EXPECT_FALSE(view.ViewImages());
  EXPECT_FALSE(image.HasPicture());
  view.SetViewImages(true);
  EXPECT_TRUE(image.HasPicture());
  EXPECT_EQ(processing, (std::vector<bool>{true, false, true, false, true, false}));
}

// The host's animation timer runs while the page has an animated GIF; a tick moves the
// GIF on only when it was drawn since the last one, and repaints it where the panel shows
// it.
TEST_F(ViewTest, AGifAnimatesOnlyWhileItIsDrawn) {
  ServePictures({{"blink.gif", SolidGif(4, 4, true)}});
  Show("<p>Above</p><img src=\"blink.gif\" width=40 height=40>" + LongPage());
  EXPECT_TRUE(host.Running(TViewTimer::Animation));
  const TImageObj& image = *view.Document().ImageList.at(0);
  ASSERT_NE(image.Gif(), nullptr);
  for (const int position : {10, 1000, 10}) {  // in view, out of view, back
    view.SetVerticalPosition(position);
    host.Repainted.clear();
    int changes = 0;
    for (int i = 0; i < 10; ++i) {
      const int before = image.Gif()->CurrentFrame();
      host.Now += 20;
      Paint();
      view.TimerTick(TViewTimer::Animation, 0, 0);
      changes += image.Gif()->CurrentFrame() != before ? 1 : 0;
    }
    const bool shown = position < 1000;
    EXPECT_TRUE(shown ? changes > 5 : changes == 0) << position << ": " << changes;
    ASSERT_EQ(host.Repainted.empty(), !shown) << position;
    if (shown) {
      EXPECT_EQ(host.Repainted.back().Left, image.DrawnX());
      EXPECT_EQ(host.Repainted.back().Top, image.DrawnY() - position);
    }
  }
  Show("<p>still</p>");
  EXPECT_FALSE(host.Running(TViewTimer::Animation));
}

// Reported once the new page is shown, not from inside the parse, for a text and a file.
TEST_F(ViewTest, MetaRefreshIsReportedAfterTheLoad) {
  std::string reported;
  view.OnMetaRefresh = [&](THtmlView& sender, int seconds, const std::string& url) {
    reported = std::to_string(seconds) + " [" + url + "] in " + sender.DocumentTitle() +
               (sender.Processing() ? " while processing" : "");
  };
  const struct {
    const char* content;
    const char* reported;
  } cases[] = {
      {"0; URL=next.htm", "1 [next.htm] in 0; URL=next.htm"}, {"7", "7 [] in 7"}, {"soon", ""}};
  for (const bool fromFile : {false, true}) {
    for (const auto& c : cases) {
      reported.clear();
      const std::string page = std::string("<title>") + c.content +
                               "</title><meta http-equiv=REFRESH content=\"" + c.content + "\">";
      files.Add("refresh.htm", page);
      fromFile ? view.OpenDocumentFile("refresh.htm") : view.OpenDocumentText(page);
      EXPECT_EQ(reported, c.reported) << (fromFile ? "file" : "text");
    }
  }
}

TEST(MetaRefresh, DelayAndAddress) {
  const auto refresh = ParseMetaRefresh(" 5 ; Url=next.htm");
  ASSERT_TRUE(refresh);
  EXPECT_EQ(refresh->Delay, 5);
  EXPECT_EQ(refresh->Url, "next.htm");
  ASSERT_TRUE(ParseMetaRefresh("0"));
  EXPECT_EQ(ParseMetaRefresh("0")->Delay, 1);
  EXPECT_EQ(ParseMetaRefresh("0")->Url, "");
  EXPECT_FALSE(ParseMetaRefresh("soon; url=a.htm"));
  EXPECT_FALSE(ParseMetaRefresh("-3"));
  EXPECT_FALSE(ParseMetaRefresh("99999999999"));
  EXPECT_FALSE(ParseMetaRefresh(""));
}
}  // namespace

}  // namespace htmlview
