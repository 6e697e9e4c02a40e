#include "Attributes.h"
#include "text/AsciiCase.h"

#include <algorithm>

namespace htmlview {

namespace {

std::string Cut(const std::string& text, std::size_t length) {
  return text.substr(0, std::min(text.size(), length));
}

struct TNamedColor {
  const char* Name;
  TColor Value;
};

constexpr TNamedColor kColorNames[] = {
    {"BLACK", MakeColor(0x00, 0x00, 0x00)},  {"MAROON", MakeColor(0x80, 0x00, 0x00)},
    {"GREEN", MakeColor(0x00, 0x80, 0x00)},  {"OLIVE", MakeColor(0x80, 0x80, 0x00)},
    {"NAVY", MakeColor(0x00, 0x00, 0x80)},   {"PURPLE", MakeColor(0x80, 0x00, 0x80)},
    {"TEAL", MakeColor(0x00, 0x80, 0x80)},   {"GRAY", MakeColor(0x80, 0x80, 0x80)},
    {"SILVER", MakeColor(0xC0, 0xC0, 0xC0)}, {"RED", MakeColor(0xFF, 0x00, 0x00)},
    {"LIME", MakeColor(0x00, 0xFF, 0x00)},   {"YELLOW", MakeColor(0xFF, 0xFF, 0x00)},
    {"BLUE", MakeColor(0x00, 0x00, 0xFF)},   {"FUCHSIA", MakeColor(0xFF, 0x00, 0xFF)},
    {"AQUA", MakeColor(0x00, 0xFF, 0xFF)},   {"WHITE", MakeColor(0xFF, 0xFF, 0xFF)},
};

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

std::string TrimmedText(const std::string& text) {
  std::size_t first = 0;
  std::size_t last = text.size();
  while (first < last && static_cast<unsigned char>(text[first]) <= ' ') ++first;
  while (last > first && static_cast<unsigned char>(text[last - 1]) <= ' ') --last;
  return text.substr(first, last - first);
}

bool ColorFromText(const std::string& text, TColor& color) {
  const std::string trimmed = TrimmedText(text);
  const std::string name = UpperText(Cut(trimmed, 10));
  for (const TNamedColor& named : kColorNames) {
    if (name == named.Name) {
      color = named.Value;
      return true;
    }
  }
  // Pages write "#rrggbb", and older ones "rrggbb"; short forms are read as written, the
  // missing low digits counting as 0, as browsers of the time did.
  std::size_t start = !trimmed.empty() && trimmed[0] == '#' ? 1 : 0;
  if (trimmed.size() == start) return false;
  std::uint32_t rgb = 0;
  int digits = 0;
  for (std::size_t i = start; i < trimmed.size() && digits < 6; ++i, ++digits) {
    const int digit = HexDigit(trimmed[i]);
    if (digit < 0) return false;
    rgb = rgb * 16 + static_cast<std::uint32_t>(digit);
  }
  if (start + static_cast<std::size_t>(digits) != trimmed.size()) return false;
  for (; digits < 6; ++digits) rgb *= 16;
  color = MakeColor(static_cast<std::uint8_t>(rgb >> 16), static_cast<std::uint8_t>(rgb >> 8),
                    static_cast<std::uint8_t>(rgb));
  return true;
}

std::optional<TJustify> AlignmentFromText(const std::string& text) {
  const std::string word = LowerText(Cut(TrimmedText(text), 10));
  if (word == "left") return TJustify::Left;
  if (word == "center") return TJustify::Centre;
  if (word == "right") return TJustify::Right;
  return std::nullopt;
}

std::optional<TVAlign> VerticalAlignmentFromText(const std::string& text) {
  const std::string word = LowerText(Cut(TrimmedText(text), 10));
  if (word == "top" || word == "baseline") return TVAlign::Top;
  if (word == "middle") return TVAlign::Middle;
  if (word == "bottom") return TVAlign::Bottom;
  return std::nullopt;
}

}  // namespace htmlview
