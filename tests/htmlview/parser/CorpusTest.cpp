// Real pages that nobody here wrote: the HTML documentation installed on the machine
// (scripts/setup.sh installs git's) and the pages in the source packages the build
// unpacks. Every page must parse, lay out and draw; the sanitizers watch.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "ParseKit.h"

namespace htmlview {

namespace {

namespace fs = std::filesystem;

bool IsHtmlName(const fs::path& path) {
  const std::string extension = path.extension().string();
  return extension == ".html" || extension == ".htm" || extension == ".HTML" || extension == ".HTM";
}

void CollectPages(const fs::path& root, std::set<fs::path>& pages) {
  std::error_code error;
  if (!fs::is_directory(root, error)) return;
  for (fs::recursive_directory_iterator
           it(root, fs::directory_options::skip_permission_denied, error),
       end;
       it != end; it.increment(error)) {
    if (error) break;
    if (!IsHtmlName(it->path()) || !it->is_regular_file(error)) continue;
    const fs::path canonical = fs::canonical(it->path(), error);
    if (!error) pages.insert(canonical);
  }
}

TEST(RealPages, EveryInstalledPageParsesAndLaysOut) {
  std::set<fs::path> pages;
  CollectPages("/usr/share/doc", pages);
  if (const char* deps = std::getenv("PAVINA_DEPS_DIR"))
    CollectPages(fs::path(deps) / "src", pages);
  ASSERT_GE(pages.size(), 200u) << "too few HTML pages installed; scripts/setup.sh installs "
                                   "git-doc for this test";

  int laidOut = 0;
  int withText = 0;
  int openComments = 0;
  for (const fs::path& page : pages) {
    SCOPED_TRACE(page.string());
    TParsedDocument parsed;
    std::string text;
    try {
      text = ReadWholeFile(page.string(), THtmlParser::kMaxFileBytes);
    } catch (const std::exception& error) {
      ADD_FAILURE() << error.what();
      continue;
    }
    parsed.Parse(text);
    if (!parsed.parser.ParseError().empty()) ++openComments;
    std::int32_t widest = 0;
    const std::int32_t height = parsed.doc.DoLogic(5, 600, widest);
    parsed.doc.Draw({0, 0, 620, 5 + height + 5}, 10);
    ++laidOut;
    if (height > 0) ++withText;
  }
  std::printf("real pages: %d parsed and laid out (%d with content, %d ended in an open comment)\n",
              laidOut, withText, openComments);
  EXPECT_EQ(laidOut, static_cast<int>(pages.size()));
  // A page that lays out to nothing is a frameset or a redirect; most pages have text.
  EXPECT_GE(withText * 10, laidOut * 9);
}

}  // namespace

}  // namespace htmlview
