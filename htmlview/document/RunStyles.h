#pragma once

#include <cstdint>
#include <memory>
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
  // What tells styles apart. The set holds numbers only; kProbe stands for the style being
  // looked up, which is added only when it is new.
  struct TKey {
    const TFontDesc* desc;
    TSubSuper mode;
    const TUrlTarget* link;
  };
  static constexpr std::uint32_t kProbe = UINT32_MAX;
  struct THash {
    const TRunStyles* styles;
    std::size_t operator()(std::uint32_t n) const;
  };
  struct TSame {
    const TRunStyles* styles;
    bool operator()(std::uint32_t a, std::uint32_t b) const;
  };
  TKey KeyOf(std::uint32_t n) const;

  std::vector<TRunStyle> styles_;
  TKey probe_{};
  std::unordered_set<std::uint32_t, THash, TSame> known_;
};

}  // namespace htmlview
