#include "forms/ListBoxFormControlObj.h"

#include <algorithm>

#include "forms/FormLimits.h"

namespace htmlview {

namespace {
constexpr std::int32_t kMaxRowsWithoutSize = 8;
}

TListBoxFormControlObj::TListBoxFormControlObj(ThtmlForm& form, const TAttributeList& attributes)
    : TOptionListControlObj(form, attributes, TControlKind::ListBox,
                            attributes.Has(TAttrSymbol::MULTIPLE)),
      sizeRows_(std::clamp<std::int32_t>(attributes.Number(TAttrSymbol::SIZE), 0,
                                         form_limits::kMaxListRows)) {}

std::int32_t TListBoxFormControlObj::Rows() const {
  if (sizeRows_ > 0) return sizeRows_;
  return std::clamp<std::int32_t>(static_cast<std::int32_t>(Options().size()), 1,
                                  kMaxRowsWithoutSize);
}

TControlSize TListBoxFormControlObj::Measure() const {
  // The border takes 2 pixels on each side.
  return {LongestOptionChars() * WidthOfA() + 15, Rows() * RowHeight() + 4};
}

}  // namespace htmlview
