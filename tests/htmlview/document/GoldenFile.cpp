#include "GoldenFile.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <vector>

namespace htmlview {

namespace {

std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

std::string PathOf(const std::string& directory, const std::string& name) {
#ifdef _WIN32
  // Wine sees the build machine's files on drive Z.
  return "Z:" + directory + "/" + name + ".txt";
#else
  return directory + "/" + name + ".txt";
#endif
}

}  // namespace

std::string UnifiedDiff(const std::string& expected, const std::string& actual) {
  const std::vector<std::string> a = Lines(expected);
  const std::vector<std::string> b = Lines(actual);
  // Longest common subsequence, then the edit script walked from the start.
  std::vector<std::vector<int>> common(a.size() + 1, std::vector<int>(b.size() + 1, 0));
  for (std::size_t i = a.size(); i-- > 0;)
    for (std::size_t j = b.size(); j-- > 0;)
      common[i][j] =
          a[i] == b[j] ? common[i + 1][j + 1] + 1 : std::max(common[i + 1][j], common[i][j + 1]);
  struct TEdit {
    char kind;
    std::string line;
  };
  std::vector<TEdit> edits;
  std::size_t i = 0;
  std::size_t j = 0;
  while (i < a.size() || j < b.size()) {
    if (i < a.size() && j < b.size() && a[i] == b[j]) {
      edits.push_back({' ', a[i++]});
      ++j;
    } else if (j < b.size() && (i == a.size() || common[i][j + 1] >= common[i + 1][j])) {
      edits.push_back({'+', b[j++]});
    } else {
      edits.push_back({'-', a[i++]});
    }
  }
  // Changed lines with two lines of context around them; "@@" where lines are left out.
  constexpr std::size_t kContext = 2;
  std::vector<bool> shown(edits.size(), false);
  for (std::size_t n = 0; n < edits.size(); ++n)
    if (edits[n].kind != ' ')
      for (std::size_t k = n >= kContext ? n - kContext : 0; k < edits.size() && k <= n + kContext;
           ++k)
        shown[k] = true;
  std::string out = "--- expected\n+++ actual\n";
  for (std::size_t n = 0; n < edits.size(); ++n) {
    if (!shown[n]) continue;
    if (n == 0 || !shown[n - 1]) out += "@@ edit " + std::to_string(n + 1) + " @@\n";
    out += std::string(1, edits[n].kind) + edits[n].line + "\n";
  }
  return out;
}

void ExpectGolden(const std::string& directory, const std::string& name,
                  const std::string& actual) {
  const std::string path = PathOf(directory, name);
  const char* update = std::getenv("PAVINA_UPDATE_GOLDEN");
  if (update && std::string(update) == "1") {
    std::ofstream(path, std::ios::binary) << actual;
    return;
  }
  std::ifstream in(path, std::ios::binary);
  ASSERT_TRUE(in) << "golden file missing: " << path
                  << " (run with PAVINA_UPDATE_GOLDEN=1 to write it)";
  std::ostringstream expected;
  expected << in.rdbuf();
  if (expected.str() != actual)
    ADD_FAILURE() << "layout differs from " << path << ":\n" << UnifiedDiff(expected.str(), actual);
}

}  // namespace htmlview
