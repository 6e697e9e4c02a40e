#include "PackedText.h"

#include <cstring>
#include <memory>

namespace htmlview {

// Runs and pairs are both two 4-byte numbers: the pairs start aligned after the runs.
static_assert(sizeof(TFontObj) % alignof(IndexObj) == 0, "pairs stay aligned after runs");

TPackedText::TPackedText(const std::vector<TFontObj>& runs, const std::vector<IndexObj>& indexes,
                         std::string_view text)
    : runs_(static_cast<std::uint32_t>(runs.size())),
      indexes_(static_cast<std::uint32_t>(indexes.size())),
      length_(static_cast<std::uint32_t>(text.size())) {
  const std::size_t runBytes = runs.size() * sizeof(TFontObj);
  const std::size_t indexBytes = indexes.size() * sizeof(IndexObj);
  block_ = std::make_unique<std::byte[]>(runBytes + indexBytes + text.size());
  std::uninitialized_copy(runs.begin(), runs.end(), reinterpret_cast<TFontObj*>(block_.get()));
  std::uninitialized_copy(indexes.begin(), indexes.end(),
                          reinterpret_cast<IndexObj*>(block_.get() + runBytes));
  if (!text.empty()) std::memcpy(block_.get() + runBytes + indexBytes, text.data(), text.size());
}

}  // namespace htmlview
