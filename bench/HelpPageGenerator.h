#pragma once

#include <cstddef>
#include <string>

namespace pavina::bench {

// A help page of about `bytes` bytes as writers of the time made them: headings,
// paragraphs with bold, italic and links, lists, tables and preformatted blocks, in
// sections that repeat with different numbers. Plain ASCII, so that every engine reads
// the same characters.
std::string GenerateHelpPage(std::size_t bytes);

}  // namespace pavina::bench
