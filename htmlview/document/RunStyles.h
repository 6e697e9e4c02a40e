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
  // Measures style n on the document's canvas, once per measuring pass.
  void Measure(std::uint32_t n, const TSectionList& doc);

  // While one is open, a style is measured once, not again for each section that uses it:
  // layout runs in one, and the document's defaults do not change meanwhile. Outside
  // one, every Measure measures.
  class TMeasuringPass {
   public:
    explicit TMeasuringPass(TRunStyles& styles);
    ~TMeasuringPass() { --styles_.passDepth_; }
    TMeasuringPass(const TMeasuringPass&) = delete;
    TMeasuringPass& operator=(const TMeasuringPass&) = delete;

   private:
    TRunStyles& styles_;
  };
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
  std::uint32_t pass_ = 0;  // the current or last measuring pass
  int passDepth_ = 0;       // passes open
  TKey probe_{};
  std::unordered_set<std::uint32_t, THash, TSame> known_;
};

}  // namespace htmlview
