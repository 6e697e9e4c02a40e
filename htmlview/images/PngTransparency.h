#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

#include "Color.h"

// The transparent colour of a PNG file that has a tRNS chunk, found among its IHDR, PLTE,
// tRNS and IDAT chunks; nothing for a PNG without one or for data that is no PNG. For a
// palette PNG it is the first entry that is fully see-through (else the first entry).
std::optional<TColor> FindPngTransparentColor(const std::uint8_t* data, std::size_t size);
