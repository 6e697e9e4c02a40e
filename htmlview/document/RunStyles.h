#pragma once

#include <cstdint>
#include <unordered_set>
#include <vector>

#include "FontObj.h"

namespace htmlview {

// The run styles of a document, each kept once and known by its number. A page changes
// font thousands of times but uses few fonts; links each have their own style.
class TRunStyles {
 public:
  TRunStyles();
  TRunStyles(const TRunStyles&) = delete;
  TRunStyles& operator=(const TRunStyles&) = delete;

  // The number of the style; a new one is added.
  std::uint32_t Intern(const TFontDesc& desc, TSubSuper mode,
                       const std::shared_ptr<TUrlTarget>& link);
  TRunStyle& operator[](std::uint32_t n) { return styles_[n]; }
  const TRunStyle& operator[](std::uint32_t n) const { return styles_[n]; }
  std::size_t Count() const { return styles_.size(); }
  // Forgets every style: only when no section that uses one is left.
  void Clear();

 private:
  // Hashes and compares styles by their numbers, so that the set holds numbers only.
  struct THash {
    const std::vector<TRunStyle>* styles;
    std::size_t operator()(std::uint32_t n) const;
  };
  struct TSame {
    const std::vector<TRunStyle>* styles;
    bool operator()(std::uint32_t a, std::uint32_t b) const;
  };

  std::vector<TRunStyle> styles_;
  std::unordered_set<std::uint32_t, THash, TSame> known_;
};

}  // namespace htmlview
