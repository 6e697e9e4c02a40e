#include "FontObj.h"

#include <algorithm>

#include "SectionList.h"

namespace htmlview {

TFontSpec ResolveFont(const TFontDesc& desc, TSubSuper mode, const TSectionList& doc) {
  TFontSpec spec;
  if (!desc.Face.empty())
    spec.Name = desc.Face;
  else
    spec.Name = desc.FixedPitch ? doc.PreFontName() : doc.FontName();
  // Points are DefFontSize x numerator / 12, rounded; sub- and superscripts take 3/4.
  const std::int64_t quarters =
      std::int64_t{doc.FontSize} * desc.Numerator * (mode == TSubSuper::None ? 4 : 3);
  spec.SizePt = static_cast<std::int32_t>(std::clamp<std::int64_t>((quarters + 24) / 48, 1, 1000));
  spec.Style = desc.Style;
  spec.CharSet = desc.CharSet >= 0 ? static_cast<std::uint8_t>(desc.CharSet) : doc.CharSet;
  spec.FixedPitch = desc.FixedPitch;
  return spec;
}

void TRunStyle::Measure(const TSectionList& doc) {
  TFontSpec spec = ResolveFont(Desc, SScript, doc);
  if (IsLink() && !doc.NoLinkUnderline) spec.Style |= TFontStyle::Underline;
  Handle = doc.Canvas().Font(spec);
  Metrics = doc.Canvas().Metrics(Handle);
}

TColor TRunStyle::DrawColor(const TSectionList& doc) const {
  if (!IsLink()) return Desc.Color.value_or(doc.FontColor);
  if (doc.LinksActive && doc.ActiveLink() == UrlTarget.get()) return doc.LinkActiveColor;
  return UrlTarget->Visited ? doc.LinkVisitedColor : doc.HotSpotColor;
}

}  // namespace htmlview
