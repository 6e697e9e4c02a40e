#pragma once

#include <string>

namespace htmlview {

// Compares `actual` with the golden file `directory`/`name`.txt as a whole, and on a
// difference fails the current test with a unified diff. With PAVINA_UPDATE_GOLDEN=1 in
// the environment the file is written instead (read every changed dump before committing).
void ExpectGolden(const std::string& directory, const std::string& name, const std::string& actual);

// A unified diff of two texts, line by line, with two lines of context.
std::string UnifiedDiff(const std::string& expected, const std::string& actual);

}  // namespace htmlview
