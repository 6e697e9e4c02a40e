#include "RunStyles.h"

#include <functional>
#include <string_view>

namespace htmlview {

namespace {

std::size_t Mix(std::size_t seed, std::size_t value) {
  return seed ^ (value + 0x9e3779b97f4a7c15ull + (seed << 6) + (seed >> 2));
}

}  // namespace

TRunStyles::TRunStyles() : known_(16, THash{&styles_}, TSame{&styles_}) {}

std::size_t TRunStyles::THash::operator()(std::uint32_t n) const {
  const TRunStyle& style = (*styles)[n];
  const TFontDesc& desc = style.Desc;
  std::size_t seed = std::hash<std::string_view>()(desc.Face);
  seed = Mix(seed, static_cast<std::size_t>(static_cast<std::uint32_t>(desc.Numerator)));
  seed = Mix(seed, (desc.FixedPitch ? 1u : 0u) | (std::size_t{desc.Style} << 1) |
                       (static_cast<std::size_t>(static_cast<std::uint16_t>(desc.CharSet)) << 9));
  seed = Mix(seed, desc.Color ? std::size_t{*desc.Color} + 1 : 0);
  seed = Mix(seed, static_cast<std::size_t>(style.SScript));
  return Mix(seed, std::hash<const TUrlTarget*>()(style.UrlTarget.get()));
}

bool TRunStyles::TSame::operator()(std::uint32_t a, std::uint32_t b) const {
  const TRunStyle& x = (*styles)[a];
  const TRunStyle& y = (*styles)[b];
  return x.Desc == y.Desc && x.SScript == y.SScript && x.UrlTarget == y.UrlTarget;
}

std::uint32_t TRunStyles::Intern(const TFontDesc& desc, TSubSuper mode,
                                 const std::shared_ptr<TUrlTarget>& link) {
  // Added first and taken back when an equal one is known: the set finds styles by number.
  const auto candidate = static_cast<std::uint32_t>(styles_.size());
  TRunStyle& style = styles_.emplace_back();
  style.Desc = desc;
  style.SScript = mode;
  style.UrlTarget = link;
  const auto [found, added] = known_.insert(candidate);
  if (!added) styles_.pop_back();
  return *found;
}

void TRunStyles::Clear() {
  known_.clear();
  styles_.clear();
  styles_.shrink_to_fit();
}

}  // namespace htmlview
