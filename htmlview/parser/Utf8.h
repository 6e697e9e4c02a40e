#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace htmlview {

// The byte-order mark with which a UTF-8 file may start.
constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";

// One character at the start of `bytes`: its code point and its length in bytes. The
// length is 0 where the bytes form no well-formed sequence (a stray continuation byte, a
// sequence cut short, an overlong form, a surrogate, a code point past U+10FFFF); `Span`
// is then how many bytes make up the broken character (a sequence cut short up to the
// byte that cuts it), else the length.
struct TUtf8Char {
  std::uint32_t Code = 0;
  std::size_t Length = 0;
  std::size_t Span = 0;
};
TUtf8Char DecodeUtf8(std::string_view bytes);

// Whether a page is written in UTF-8: it starts with the byte-order mark, or a
// content-type META names UTF-8, or, with neither, its bytes are well-formed UTF-8 with at
// least one multi-byte sequence (text in a single-byte code page seldom is).
bool IsUtf8Page(std::string_view page);
// The same for a plain-text file, which has no META.
bool IsUtf8Text(std::string_view text);

}  // namespace htmlview
