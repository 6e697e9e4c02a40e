#pragma once

#include <cstdint>
#include <vector>

#include "document/SectionList.h"

namespace htmlview {

// The documents of the golden layouts, each with the name of its dump and the width it is
// laid out at. The native tests compare their layouts with the dumps; the Windows tests
// draw the same documents through the GDI canvas.
struct TGoldenDocument {
  const char* Name;
  std::int32_t Width;
  void (*Build)(TSectionList& doc);
};

const std::vector<TGoldenDocument>& GoldenDocuments();

}  // namespace htmlview
