#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <new>
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

  // Read often by layout, drawing and hit-tests: inline.
  TSpan<TFontObj> Runs() const {
    if (!block_) return {};
    return {std::launder(reinterpret_cast<const TFontObj*>(block_.get())), runs_};
  }
  TSpan<IndexObj> Indexes() const {
    if (!block_) return {};
    return {std::launder(reinterpret_cast<const IndexObj*>(block_.get() + RunBytes())), indexes_};
  }
  std::string_view Text() const {
    if (!block_) return {};
    const std::size_t offset = RunBytes() + std::size_t{indexes_} * sizeof(IndexObj);
    return {reinterpret_cast<const char*>(block_.get() + offset), length_};
  }

 private:
  std::size_t RunBytes() const { return std::size_t{runs_} * sizeof(TFontObj); }

  std::unique_ptr<std::byte[]> block_;  // the runs, then the pairs, then the characters
  std::uint32_t runs_ = 0;
  std::uint32_t indexes_ = 0;
  std::uint32_t length_ = 0;
};

}  // namespace htmlview
