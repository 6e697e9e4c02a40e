#include "canvas/FaceKind.h"

#include <algorithm>
#include <string>

namespace htmlview {

namespace {
// Parts of the names of the common Windows and free faces of each kind, in lower case.
constexpr const char* kFixedParts[] = {"courier",  "mono",     "console",
                                       "consolas", "fixedsys", "terminal"};
constexpr const char* kSerifParts[] = {"times",    "roman",   "serif",   "georgia", "garamond",
                                       "palatino", "bookman", "century", "cambria", "antiqua"};

bool Contains(const std::string& name, const char* part) {
  return name.find(part) != std::string::npos;
}
}  // namespace

TFaceKind FaceKindOf(const TFontSpec& spec) {
  if (spec.FixedPitch) return TFaceKind::Fixed;
  std::string name = spec.Name;
  std::transform(name.begin(), name.end(), name.begin(), [](char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
  });
  for (const char* part : kFixedParts)
    if (Contains(name, part)) return TFaceKind::Fixed;
  if (Contains(name, "sans")) return TFaceKind::Any;  // "MS Sans Serif"
  for (const char* part : kSerifParts)
    if (Contains(name, part)) return TFaceKind::Serif;
  return TFaceKind::Any;
}

}  // namespace htmlview
