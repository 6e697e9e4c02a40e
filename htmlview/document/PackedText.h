#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

#include "FontObj.h"
#include "IndexObj.h"
#include "Span.h"

namespace htmlview {

// What a finished section keeps of its text, in one block: its font runs, the pairs that
// map its characters to source indexes, and the characters. A string and two vectors
// cost a section 80 bytes and three allocations; a page has thousands of sections.
class TPackedText {
 public:
  TPackedText() = default;
  TPackedText(const std::vector<TFontObj>& runs, const std::vector<IndexObj>& indexes,
              std::string_view text);

  TSpan<TFontObj> Runs() const;
  TSpan<IndexObj> Indexes() const;
  std::string_view Text() const;

 private:
  std::unique_ptr<std::byte[]> block_;  // the runs, then the pairs, then the characters
  std::uint32_t runs_ = 0;
  std::uint32_t indexes_ = 0;
  std::uint32_t length_ = 0;
};

}  // namespace htmlview
