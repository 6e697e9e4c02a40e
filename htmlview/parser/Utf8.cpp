#include "Utf8.h"

#include <algorithm>

#include "text/AsciiCase.h"

namespace htmlview {

namespace {

bool IsContinuation(unsigned char byte) {
  return (byte & 0xC0) == 0x80;
}

// Well-formed throughout, with at least one multi-byte sequence.
bool LooksLikeUtf8(std::string_view bytes) {
  bool multiByte = false;
  for (std::size_t at = 0; at < bytes.size();) {
    if (static_cast<unsigned char>(bytes[at]) < 0x80) {
      ++at;
      continue;
    }
    const TUtf8Char ch = DecodeUtf8(bytes.substr(at));
    if (ch.Length == 0) return false;
    multiByte = true;
    at += ch.Length;
  }
  return multiByte;
}

// Whether `text` holds `upper` at `at`, in any case.
bool HasAt(std::string_view text, std::size_t at, std::string_view upper) {
  if (at > text.size() || text.size() - at < upper.size()) return false;
  for (std::size_t k = 0; k < upper.size(); ++k)
    if (UpperChar(text[at + k]) != upper[k]) return false;
  return true;
}

bool Holds(std::string_view text, std::string_view upper) {
  for (std::size_t at = 0; at < text.size(); ++at)
    if (HasAt(text, at, upper)) return true;
  return false;
}

// A META tag that names the content type and UTF-8, in any case.
bool MetaNamesUtf8(std::string_view page) {
  constexpr std::size_t kLongestTag = 1024;
  for (std::size_t at = page.find('<'); at != std::string_view::npos; at = page.find('<', at + 1)) {
    if (!HasAt(page, at + 1, "META")) continue;
    const std::string_view tag =
        page.substr(at, std::min(page.find('>', at), at + kLongestTag) - at);
    if (Holds(tag, "CONTENT-TYPE") && (Holds(tag, "UTF-8") || Holds(tag, "UTF8"))) return true;
  }
  return false;
}

}  // namespace

TUtf8Char DecodeUtf8(std::string_view bytes) {
  if (bytes.empty()) return {};
  const auto lead = static_cast<unsigned char>(bytes[0]);
  if (lead < 0x80) return {lead, 1, 1};
  std::size_t length = 0;
  std::uint32_t code = 0;
  std::uint32_t least = 0;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
    code = lead & 0x1F;
    least = 0x80;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    code = lead & 0x0F;
    least = 0x800;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    code = lead & 0x07;
    least = 0x10000;
  } else {
    return {0, 0, 1};
  }
  // A sequence cut short is one broken character, up to the byte that breaks it.
  std::size_t k = 1;
  for (; k < length && k < bytes.size(); ++k) {
    const auto byte = static_cast<unsigned char>(bytes[k]);
    if (!IsContinuation(byte)) break;
    code = (code << 6) | (byte & 0x3F);
  }
  if (k < length) return {0, 0, k};
  if (code < least || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF)) return {0, 0, length};
  return {code, length, length};
}

bool IsUtf8Page(std::string_view page) {
  if (page.substr(0, kUtf8ByteOrderMark.size()) == kUtf8ByteOrderMark) return true;
  return MetaNamesUtf8(page) || LooksLikeUtf8(page);
}

bool IsUtf8Text(std::string_view text) {
  if (text.substr(0, kUtf8ByteOrderMark.size()) == kUtf8ByteOrderMark) return true;
  return LooksLikeUtf8(text);
}

}  // namespace htmlview
