#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace htmlview {

// A run of text as the parser hands it to a section: its characters and, for each, the
// index in the source at which it was read (for selection and hit-testing).
struct TokenObj {
  std::string S;
  std::vector<std::int32_t> I;

  void Clear() {
    S.clear();
    I.clear();
  }
  void Add(char ch, std::int32_t sourceIndex) {
    S.push_back(ch);
    I.push_back(sourceIndex);
  }
  // Characters read one after the other from `firstSourceIndex` on.
  void AddText(const std::string& text, std::int32_t firstSourceIndex) {
    for (std::size_t n = 0; n < text.size(); ++n)
      Add(text[n], firstSourceIndex + static_cast<std::int32_t>(n));
  }
  std::size_t Size() const { return S.size(); }
  bool Empty() const { return S.empty(); }
};

}  // namespace htmlview
