#include "GoldenDocuments.h"

#include "DocBuilder.h"

namespace htmlview {

namespace {
const char* const kFox = "The quick brown fox jumps over the lazy dog and runs far away. ";
}  // namespace

const std::vector<TGoldenDocument>& GoldenDocuments() {
  static const std::vector<TGoldenDocument> documents = {
      // Wraps at spaces and keeps a long word whole.
      {"wrapping", 200,
       [](TSectionList& doc) {
         TDocBuilder b(doc);
         b.Text(kFox).Text(kFox).Para();
         b.Text("Short Supercalifragilisticexpialidocious-and-then-some-more-letters end.");
       }},
      // Preformatted lines never wrap.
      {"preformatted", 150,
       [](TSectionList& doc) {
         TDocBuilder b(doc);
         b.Pre("int main() {   return    0;   }   // a line far longer than the width")
             .Pre("")
             .Pre("  indented");
       }},
      // Centre and right alignment leave trailing spaces out.
      {"alignment", 250,
       [](TSectionList& doc) {
         TDocBuilder b(doc);
         b.Align(TJustify::Centre).Text(kFox).Br().Align(TJustify::Right).Text(kFox);
       }},
      // Lists nested three deep.
      {"lists", 260,
       [](TSectionList& doc) {
         TDocBuilder b(doc);
         b.Text("Before the list.");
         b.Bullet(1).Text("First level, a bullet in navy.");
         b.Number(2, 1, '1').Text("Second level, numbered, long enough to wrap under itself.");
         b.Number(2, 2, '1').Text("Second item.");
         b.Bullet(3).Text("Third level: red.");
         b.Bullet(1, true).Text("Back at the first level, plain.");
         b.Level(0).Text("After the list.");
       }},
      // List numbers in every style.
      {"list-numbers", 300,
       [](TSectionList& doc) {
         TDocBuilder b(doc);
         b.Number(1, 30, 'i').Text("thirty in small Roman shows xx");
         b.Number(1, 4, 'I').Text("four");
         b.Number(1, 3, 'a').Text("c");
         b.Number(1, 40, 'A').Text("past Z stays Z");
         b.Number(1, 12, '1').Text("twelve");
       }},
      // Floats on both sides with text beside them.
      {"floats", 260,
       [](TSectionList& doc) {
         TDocBuilder b(doc);
         b.Image("SRC=left.gif ALIGN=left WIDTH=40 HEIGHT=60 ALT=L");
         b.Image("SRC=right.gif ALIGN=right WIDTH=30 HEIGHT=35 HSPACE=2");
         b.Text(kFox).Text(kFox).Para().Text("Below the floats the full width comes back again.");
       }},
      // CLEAR moves below the floats of its side.
      {"clear", 240,
       [](TSectionList& doc) {
         TDocBuilder b(doc);
         b.Image("SRC=tall.gif ALIGN=left WIDTH=30 HEIGHT=80");
         b.Image("SRC=short.gif ALIGN=right WIDTH=30 HEIGHT=40");
         b.Text("Beside both.")
             .Br("right")
             .Text("Below the right one.")
             .Br("all")
             .Text("Below both.");
         b.Br("left");  // an empty section: only its clear height, here nothing left to clear
       }},
      // Rules with their attributes.
      {"rules", 300,
       [](TSectionList& doc) {
         doc.FontSize = 18;  // heights scale with the default font size
         TDocBuilder b(doc);
         b.Hr().Hr("SIZE=25").Hr("SIZE=6 WIDTH=50% ALIGN=left").Hr("WIDTH=80 ALIGN=right NOSHADE");
         b.Hr("COLOR=red SIZE=3 WIDTH=100").Heading(1).Text("Heading").Heading(1).Para();
       }},
      // Images with ALT boxes and alignments.
      {"images", 300,
       [](TSectionList& doc) {
         // no picture loader: each image shows the not-shown picture
         TDocBuilder b(doc);
         b.Text("bottom").Image("SRC=a.gif ALT=\"An alternative text\"");
         b.Text("top").Image("SRC=b.gif WIDTH=30 HEIGHT=50 ALIGN=top");
         b.Text("middle").Image("SRC=c.gif WIDTH=20 HEIGHT=40 ALIGN=middle VSPACE=3");
         b.Link("next.htm").Text("linked").Image("SRC=d.gif WIDTH=30 HEIGHT=30").EndLink();
         b.Text(" tiny").Image("SRC=e.gif WIDTH=10 HEIGHT=10 ALT=x");
       }},
      // Font runs, links and scripts.
      {"font-runs", 400,
       [](TSectionList& doc) {
         TDocBuilder b(doc);
         b.Text("plain ").Style(TFontStyle::Bold).Text("bold ").Style(TFontStyle::Italic);
         b.Text("italic ").Style(0).Size(24).Text("big ").Size(12).Script(TSubSuper::Sub);
         b.Text("sub").Script(TSubSuper::Super).Text("sup").Script(TSubSuper::None);
         b.Text(" ").Link("a.htm").Text("a link ").Style(TFontStyle::Bold).Text("bold link");
         b.Style(0).EndLink().Color(MakeColor(0, 128, 0)).Text(" green").Fixed(true).Text(" code");
       }},
  };
  return documents;
}

}  // namespace htmlview
