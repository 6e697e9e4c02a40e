// Pages parsed and laid out on the test canvas, compared whole with the dumps in golden/.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "GoldenFile.h"
#include "ParseKit.h"

namespace {

std::string ReadPage(const std::string& name) {
#ifdef _WIN32
  const std::string path = std::string("Z:") + PAVINA_PARSER_GOLDEN_DIR + "/" + name + ".htm";
#else
  const std::string path = std::string(PAVINA_PARSER_GOLDEN_DIR) + "/" + name + ".htm";
#endif
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

class GoldenPage : public ::testing::TestWithParam<const char*> {};

TEST_P(GoldenPage, ParsedAndLaidOut) {
  const std::string page = ReadPage(GetParam());
  ASSERT_FALSE(page.empty()) << GetParam();
  TParsedDocument parsed;
  parsed.Parse(page);
  const std::string dump = "title \"" + parsed.parser.Title() + "\"\n" + LayoutDump(parsed, 400);
  ExpectGolden(PAVINA_PARSER_GOLDEN_DIR, GetParam(), dump);
}

INSTANTIATE_TEST_SUITE_P(Parser, GoldenPage,
                         ::testing::Values("text", "lists", "tables", "pre", "forms"),
                         [](const auto& info) { return std::string(info.param); });

}  // namespace
