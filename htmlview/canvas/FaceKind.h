#pragma once

#include "canvas/Canvas.h"

namespace htmlview {

// The kind of face a font asks for. A machine without the face named substitutes another,
// and without the kind it takes its sans face: preformatted text would lose its columns.
enum class TFaceKind : std::uint8_t { Any, Fixed, Serif };

// Fixed for preformatted text and for faces known to be fixed, serif for faces known to
// have serifs, else any.
TFaceKind FaceKindOf(const TFontSpec& spec);

}  // namespace htmlview
