#include "ColorReduction.h"

#include <memory>
#include <vector>

#include "ColorLookup.h"
#include "ColorPalette.h"
#include "DibAccess.h"
#include "DitherEngine.h"
#include "GraphicsError.h"
#include "OctreeQuantizer.h"

namespace htmlview {

namespace {

std::unique_ptr<TColorLookup> LookupFor(const TDIB& source, TPaletteKind kind,
                                        const TPalette& sharedPalette) {
  switch (kind) {
    case TPaletteKind::SystemDefault:
      return std::make_unique<TFastColorLookup>(SystemDefaultPalette());
    case TPaletteKind::WebSafe:
      return std::make_unique<TWebSafeColorLookup>();
    case TPaletteKind::Shared:
      return std::make_unique<TFastColorLookup>(
          sharedPalette.empty() ? BuildSharedPalette(StandardSystemPalette()) : sharedPalette);
    case TPaletteKind::Optimal:
    default: {
      TColorQuantizer quantizer;
      quantizer.AddImage(source);
      return std::make_unique<TFastColorLookup>(quantizer.Palette());
    }
  }
}

}  // namespace

TDIB ReduceColors(const TDIB& source, TPaletteKind kind, TDitherMode mode,
                  const TPalette& sharedPalette) {
  const TDIBReader reader(source);
  const std::unique_ptr<TColorLookup> lookup = LookupFor(source, kind, sharedPalette);
  const std::int32_t width = source.Width();
  std::unique_ptr<TDitherEngine> engine =
      mode == TDitherMode::FloydSteinberg ? std::make_unique<TFloydSteinbergEngine>(*lookup, width)
                                          : std::make_unique<TDitherEngine>(*lookup, width);

  TDIB target(width, source.Height(), 8);
  target.Palette() = lookup->Palette();
  std::vector<TColor> row(static_cast<std::size_t>(width));
  for (std::int32_t y = 0; y < source.Height(); ++y) {
    reader.ReadRow(y, row.data());
    engine->DitherRow(row.data(), target.Row(y));
  }
  return target;
}

int ClassifyScreenDepth(int bitsPerPixel, int planes) {
  const int depth = bitsPerPixel * planes;
  if (depth <= 4) return 4;
  if (depth <= 8) return 8;
  return 24;
}

TDIB ConvertForScreen(TDIB picture, int screenDepth, const TPalette& sharedPalette) {
  if (screenDepth > 8 || picture.BitsPerPixel() <= 8) return picture;
  return ReduceColors(picture, screenDepth < 8 ? TPaletteKind::SystemDefault : TPaletteKind::Shared,
                      TDitherMode::FloydSteinberg, sharedPalette);
}

}  // namespace htmlview
