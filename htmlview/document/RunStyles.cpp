#include "RunStyles.h"

#include <functional>
#include <string_view>

namespace htmlview {

namespace {

std::size_t Mix(std::size_t seed, std::size_t value) {
  return seed ^ (value + 0x9e3779b9u + (seed << 6) + (seed >> 2));
}

}  // namespace

TRunStyles::TRunStyles() : known_(16, THash{this}, TSame{this}) {}

TRunStyles::TKey TRunStyles::KeyOf(std::uint32_t n) const {
  if (n == kProbe) return probe_;
  const TRunStyle& style = styles_[n];
  return {&style.Desc, style.SScript, style.UrlTarget.get()};
}

std::size_t TRunStyles::THash::operator()(std::uint32_t n) const {
  const TKey key = styles->KeyOf(n);
  const TFontDesc& desc = *key.desc;
  std::size_t seed = std::hash<std::string_view>()(desc.Face);
  seed = Mix(seed, static_cast<std::size_t>(static_cast<std::uint32_t>(desc.Numerator)));
  seed = Mix(seed, (desc.FixedPitch ? 1u : 0u) | (std::size_t{desc.Style} << 1) |
                       (static_cast<std::size_t>(static_cast<std::uint16_t>(desc.CharSet)) << 9));
  seed = Mix(seed, desc.Color ? std::size_t{*desc.Color} + 1 : 0);
  seed = Mix(seed, static_cast<std::size_t>(key.mode));
  return Mix(seed, std::hash<const TUrlTarget*>()(key.link));
}

bool TRunStyles::TSame::operator()(std::uint32_t a, std::uint32_t b) const {
  const TKey x = styles->KeyOf(a);
  const TKey y = styles->KeyOf(b);
  return *x.desc == *y.desc && x.mode == y.mode && x.link == y.link;
}

std::uint32_t TRunStyles::Intern(const TFontDesc& desc, TSubSuper mode,
                                 const std::shared_ptr<TUrlTarget>& link) {
  probe_ = {&desc, mode, link.get()};
  const auto found = known_.find(kProbe);
  probe_ = {};
  if (found != known_.end()) return *found;
  // Numbers stay below kProbe: every style comes from a run of a page of at most 16 MiB.
  const auto added = static_cast<std::uint32_t>(styles_.size());
  TRunStyle& style = styles_.emplace_back();
  style.Desc = desc;
  style.SScript = mode;
  style.UrlTarget = link;
  known_.insert(added);
  return added;
}

void TRunStyles::Measure(std::uint32_t n, const TSectionList& doc) {
  TRunStyle& style = styles_[n];
  if (passDepth_ > 0 && style.MeasuredIn == pass_) return;
  style.Measure(doc);
  style.MeasuredIn = passDepth_ > 0 ? pass_ : 0;
}

TRunStyles::TMeasuringPass::TMeasuringPass(TRunStyles& styles) : styles_(styles) {
  if (styles_.passDepth_++ > 0) return;  // inside another: that one goes on
  if (++styles_.pass_ == 0) {
    // After 2^32 passes the numbers start again: none may look measured in this one.
    for (TRunStyle& style : styles_.styles_) style.MeasuredIn = 0;
    styles_.pass_ = 1;
  }
}

void TRunStyles::Clear() {
  known_.clear();
  styles_.clear();
  styles_.shrink_to_fit();
}

}  // namespace htmlview
