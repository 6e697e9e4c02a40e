#pragma once

#include <cstdint>
#include <vector>

#include "Color.h"

namespace htmlview {

// Finds the palette entry that stands for a colour.
class TColorLookup {
 public:
  explicit TColorLookup(TPalette palette) : palette_(std::move(palette)) {}
  virtual ~TColorLookup() = default;

  virtual std::uint8_t Lookup(std::uint8_t red, std::uint8_t green, std::uint8_t blue) = 0;
  const TPalette& Palette() const { return palette_; }

 protected:
  TPalette palette_;
};

// The 216-colour cube: the index is computed, nothing is searched.
class TWebSafeColorLookup final : public TColorLookup {
 public:
  TWebSafeColorLookup();
  static std::uint8_t Level(std::uint8_t value) {
    return static_cast<std::uint8_t>((value + 3) / 51);
  }
  std::uint8_t Lookup(std::uint8_t red, std::uint8_t green, std::uint8_t blue) override {
    return static_cast<std::uint8_t>(36 * Level(red) + 6 * Level(green) + Level(blue));
  }
};

// Any palette: the nearest entry by the sum of absolute component differences, the first
// of equals. A 32 x 32 x 32 table by the top five bits of each component remembers the
// answer for all colours of a cell from the first one asked.
class TFastColorLookup final : public TColorLookup {
 public:
  // An empty palette counts as black alone.
  explicit TFastColorLookup(TPalette palette);
  std::uint8_t Lookup(std::uint8_t red, std::uint8_t green, std::uint8_t blue) override;

 private:
  std::uint8_t Nearest(std::uint8_t red, std::uint8_t green, std::uint8_t blue) const;

  static constexpr std::int16_t kUnknown = -1;
  std::vector<std::int16_t> table_;
};

}  // namespace htmlview
