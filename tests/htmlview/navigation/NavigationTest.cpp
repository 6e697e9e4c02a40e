#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "navigation/FileNameExpansion.h"
#include "navigation/History.h"
#include "navigation/LinkFollowing.h"
#include "navigation/VisitedList.h"

namespace htmlview {

namespace {
// A stand-in for the system's full-path expansion: a name from the root gets drive C:,
// and "." and ".." steps are resolved.
std::string FakeFullPath(const std::string& name) {
  std::string path = (name.size() > 1 && name[0] == '\\' && name[1] != '\\') ? "C:" + name : name;
  std::vector<std::string> parts;
  std::size_t start = 0;
  for (;;) {
    const std::size_t end = path.find('\\', start);
    const std::string part = path.substr(start, end - start);
    if (part == ".." && parts.size() > 1)
      parts.pop_back();
    else if (part != ".")
      parts.push_back(part);
    if (end == std::string::npos) break;
    start = end + 1;
  }
  std::string joined;
  for (std::size_t i = 0; i < parts.size(); ++i) joined += (i ? "\\" : "") + parts[i];
  return joined;
}

TFileNameContext Context(const std::string& base = {}, const std::string& serverRoot = {}) {
  return {serverRoot, base, "C:\\help\\index.htm", FakeFullPath};
}

struct TExpansionCase {
  const char* target;
  const char* base;
  const char* serverRoot;
  const char* expected;
};

TEST(FileNameExpansion, LinkTargetsBecomeFileNames) {
  const TExpansionCase cases[] = {
      // URLs: escapes, the file scheme in any case, "|" for ":", "/" for "\".
      {"file:///C|/Program%20Files/Pavina/help.htm", "", "", "C:\\Program Files\\Pavina\\help.htm"},
      {"FILE://d:/a/b.htm", "", "", "d:\\a\\b.htm"},
      {"  page.htm \t\r\n", "", "", "C:\\help\\page.htm"},
      {"sub/page.htm", "", "", "C:\\help\\sub\\page.htm"},
      {"../up.htm", "", "", "C:\\up.htm"},
      // Paths from the root: the server root when one is set, else the current drive.
      {"/docs/a.htm", "", "D:\\www", "D:\\www\\docs\\a.htm"},
      {"/docs/a.htm", "", "", "C:\\docs\\a.htm"},
      {"\\docs\\a.htm", "", "D:\\www", "C:\\docs\\a.htm"},
      // Names that are complete already.
      {"E:\\x\\y.htm", "", "", "E:\\x\\y.htm"},
      {"\\\\server\\share\\a.htm", "", "", "\\\\server\\share\\a.htm"},
      // Escapes are decoded only in names with "/", each once, and a bad one stops it.
      {"my%20file.htm", "", "", "C:\\help\\my%20file.htm"},
      {"a/%2541.htm", "", "", "C:\\help\\a\\%41.htm"},
      {"a/b%4", "", "", "C:\\help\\a\\b%4"},
      {"a/b%zz%41.htm", "", "", "C:\\help\\a\\b%zz%41.htm"},
      {"a/b%00c.htm", "", "", "C:\\help\\a\\b%00c.htm"},
      {"%41/b.htm", "", "", "C:\\help\\%41\\b.htm"},
      // The base: a folder or a document's address, or DosPath to take names as written.
      {"x.htm", "file:///D|/base/", "", "D:\\base\\x.htm"},
      {"x.htm", "file:///D|/base/index.htm", "", "D:\\base\\x.htm"},
      {"x.htm", "dospath", "", "x.htm"},
      {"sub/x.htm", "DosPath", "", "sub\\x.htm"},
  };
  for (const TExpansionCase& c : cases)
    EXPECT_EQ(ExpandFileName(c.target, Context(c.base, NormaliseServerRoot(c.serverRoot))),
              c.expected)
        << "target \"" << c.target << "\" base \"" << c.base << "\"";
}

TEST(FileNameExpansion, ServerRootAndPathPieces) {
  EXPECT_EQ(NormaliseServerRoot("  D:\\www\\\\ "), "D:\\www\\");
  EXPECT_EQ(NormaliseServerRoot("D:\\www\\"), "D:\\www");
  EXPECT_EQ(ExtractFilePath("C:\\a\\b.htm"), "C:\\a\\");
  EXPECT_EQ(ExtractFilePath("C:b.htm"), "C:");
  EXPECT_EQ(ExtractFilePath("b.htm"), "");
  EXPECT_EQ(SplitAtAnchor("C:\\a#b\\c.htm#Top").FileName, "C:\\a");
  EXPECT_EQ(SplitAtAnchor("C:\\a#b\\c.htm#Top").Anchor, "b\\c.htm#Top");
  EXPECT_EQ(SplitAtAnchor("c.htm").Anchor, "");
  EXPECT_EQ(UpperExtension("C:\\a.b\\page.Html"), ".HTML");
  EXPECT_EQ(UpperExtension("C:\\a.b\\page"), "");
}

struct TLinkCase {
  const char* target;
  TLinkAction::TKind kind;
  const char* fileName;
  const char* fullTarget;
};

TEST(LinkFollowing, DecidedByTargetAndExtension) {
  using K = TLinkAction::TKind;
  const TLinkCase cases[] = {
      {"#Messages", K::ScrollToAnchor, "C:\\help\\index.htm", "C:\\help\\index.htm#Messages"},
      {"INDEX.HTM#Keys", K::ScrollToAnchor, "C:\\help\\INDEX.HTM", "C:\\help\\INDEX.HTM#Keys"},
      {"other.htm#Sec", K::OpenDocument, "C:\\help\\other.htm", "C:\\help\\other.htm#Sec"},
      {"file:///C|/web/page.HTML", K::OpenDocument, "C:\\web\\page.HTML", "C:\\web\\page.HTML"},
      {"pic.GiF", K::OpenImage, "C:\\help\\pic.GiF", "C:\\help\\pic.GiF"},
      {"pics/shot.jpeg", K::OpenImage, "C:\\help\\pics\\shot.jpeg", "C:\\help\\pics\\shot.jpeg"},
      {"a.jpg", K::OpenImage, "C:\\help\\a.jpg", "C:\\help\\a.jpg"},
      {"a.bmp", K::OpenImage, "C:\\help\\a.bmp", "C:\\help\\a.bmp"},
      {"a.png", K::OpenImage, "C:\\help\\a.png", "C:\\help\\a.png"},
      {"readme.txt", K::Nothing, "C:\\help\\readme.txt", "C:\\help\\readme.txt"},
      {"mailto:someone", K::Nothing, "C:\\help\\mailto:someone", "C:\\help\\mailto:someone"},
  };
  for (const TLinkCase& c : cases) {
    const TLinkAction action = DecideLinkAction(c.target, Context());
    EXPECT_EQ(action.Kind, c.kind) << c.target;
    EXPECT_EQ(action.FileName, c.fileName) << c.target;
    EXPECT_EQ(action.Target, c.fullTarget) << c.target;
    EXPECT_EQ(FullLinkTarget(c.target, Context()), c.fullTarget) << c.target;
  }
}

TEST(VisitedList, NewestFirstWithoutRegardToCaseWithinTheLimit) {
  TVisitedList visited;
  EXPECT_EQ(visited.MaxCount(), 50);
  EXPECT_EQ(visited.Add("a.htm"), TVisitedList::TAddResult::Added);
  EXPECT_EQ(visited.Add("b.htm"), TVisitedList::TAddResult::Added);
  EXPECT_EQ(visited.Add("c.htm"), TVisitedList::TAddResult::Added);
  EXPECT_EQ(visited.Add("C.HTM"), TVisitedList::TAddResult::Ignored);  // already first
  EXPECT_EQ(visited.Add("A.htm"), TVisitedList::TAddResult::Moved);
  EXPECT_EQ(visited.Items(), (std::vector<std::string>{"a.htm", "c.htm", "b.htm"}));
  EXPECT_TRUE(visited.Contains("B.HTM"));

  EXPECT_FALSE(visited.SetMaxCount(2));  // the oldest goes
  EXPECT_EQ(visited.Items(), (std::vector<std::string>{"a.htm", "c.htm"}));
  EXPECT_EQ(visited.Add("d.htm"), TVisitedList::TAddResult::Added);
  EXPECT_EQ(visited.Items(), (std::vector<std::string>{"d.htm", "a.htm"}));

  EXPECT_TRUE(visited.SetMaxCount(-4));  // emptied: the caller unmarks every link
  EXPECT_EQ(visited.MaxCount(), 0);
  EXPECT_TRUE(visited.Items().empty());
  EXPECT_EQ(visited.Add("e.htm"), TVisitedList::TAddResult::Ignored);
  EXPECT_TRUE(visited.Items().empty());
}

THistoryPlace Place(const std::string& file, std::uint32_t pos,
                    THtmlFileType kind = THtmlFileType::HTML) {
  return {file, "title of " + file, {pos, kind}};
}

TEST(History, RecordsOnlyChangesWithinTheLimit) {
  THistory history;
  EXPECT_FALSE(history.Record(Place("", 0), Place("a.htm", 0)));  // limit 0 keeps nothing
  EXPECT_EQ(history.Count(), 0u);

  EXPECT_FALSE(history.SetMaxCount(3));
  EXPECT_TRUE(history.Record(Place("", 0), Place("a.htm", 0)));
  EXPECT_FALSE(history.Record(Place("a.htm", 0), Place("a.htm", 0)));  // nothing changed
  EXPECT_FALSE(history.Record(Place("a.htm", 0), Place("", 0)));       // no current file
  // Leaving a.htm at 40 for its anchor at 900: the entry left keeps its place.
  EXPECT_TRUE(history.Record(Place("a.htm", 40), Place("a.htm", 900)));
  EXPECT_TRUE(history.Record(Place("a.htm", 910), Place("a.htm", 910, THtmlFileType::Image)));
  EXPECT_EQ(history.FileNames(), (std::vector<std::string>{"a.htm", "a.htm", "a.htm"}));
  EXPECT_EQ(history.Positions()[1].Pos, 910u);
  EXPECT_EQ(history.Positions()[2].Pos, 40u);
  EXPECT_EQ(history.Positions()[0].FileType, THtmlFileType::Image);

  EXPECT_TRUE(history.Record(Place("a.htm", 0, THtmlFileType::Image), Place("b.htm", 0)));
  EXPECT_EQ(history.Count(), 3u);  // the oldest went
  EXPECT_EQ(history.FileNames().front(), "b.htm");
  EXPECT_EQ(history.Titles().front(), "title of b.htm");
  EXPECT_EQ(history.Positions().back().Pos, 910u);
  EXPECT_EQ(history.Index(), 0);

  EXPECT_FALSE(history.SetMaxCount(-1));  // ignored
  EXPECT_EQ(history.MaxCount(), 3);
  EXPECT_FALSE(history.SetMaxCount(5));  // raising keeps the entries
  EXPECT_EQ(history.Count(), 3u);
  EXPECT_TRUE(history.SetMaxCount(1));  // lowering clears it all
  EXPECT_EQ(history.Count(), 0u);
  EXPECT_FALSE(history.Clear());
}

// File names compare as Windows compares them: a file reopened under another letter case
// is the same document, and its place is not recorded again.
TEST(History, AFileInAnotherCaseIsTheSameDocument) {
  EXPECT_TRUE(SameDocument(Place("C:\\Help\\a.htm", 0), Place("c:\\HELP\\A.HTM", 40)));
  EXPECT_FALSE(SameDocument(Place("a.htm", 0), Place("b.htm", 0)));
  EXPECT_FALSE(SameDocument(Place("a.htm", 0), Place("A.HTM", 0, THtmlFileType::Image)));
  THistory history;
  history.SetMaxCount(3);
  EXPECT_TRUE(history.Record(Place("", 0), Place("C:\\Help\\a.htm", 0)));
  EXPECT_FALSE(history.Record(Place("C:\\Help\\a.htm", 0), Place("c:\\HELP\\A.HTM", 0)));
  EXPECT_EQ(history.Count(), 1u);
}
}  // namespace

}  // namespace htmlview
