#pragma once

#include <cstdint>
#include <string>
#include <vector>

// The characters of one text token, each with the place in the source it was read from
// (for selection and hit-testing).
struct TTextToken {
  std::string Text;
  std::vector<std::int32_t> Indexes;

  void Clear() {
    Text.clear();
    Indexes.clear();
  }
  void Add(char c, std::int32_t index) {
    Text.push_back(c);
    Indexes.push_back(index);
  }
  std::size_t Size() const { return Text.size(); }
  bool Empty() const { return Text.empty(); }
};
