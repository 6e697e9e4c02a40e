#include "CellObj.h"

namespace htmlview {

TCellObj::TCellObj(TSectionList& doc, const TCellAttributes& attributes)
    : ColSpan(attributes.ColSpan),
      RowSpan(attributes.RowSpan),
      Width(attributes.Width),
      Height(attributes.Height),
      VAlign(attributes.VAlign),
      Cell(doc) {
  if (attributes.BgColorGiven) Cell.Background = attributes.BgColor;
}

}  // namespace htmlview
