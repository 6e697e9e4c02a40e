#pragma once

#include <cstdint>
#include <string_view>

namespace htmlview {

// Windows font character sets as the document's fonts carry them.
constexpr int kAnsiCharset = 0;
constexpr int kDefaultCharset = 1;
constexpr int kGreekCharset = 161;
constexpr int kTurkishCharset = 162;
constexpr int kBalticCharset = 186;
constexpr int kCyrillicCharset = 204;
constexpr int kEastEuropeCharset = 238;

// The character set a content-type META's CONTENT names (in any case); `current` when it
// names none of the code pages the viewer knows.
int CharsetFromContentType(std::string_view content, int current);

// The single-byte code page in which text of a character set is written (1252 for the
// ANSI and default sets and any set without a table here).
int CodePageOfCharset(int charset);

// A character reference above 255 as the byte of `codePage` that shows it; "?" where the
// code page has no such character.
char WideCharToCodePage(std::uint32_t code, int codePage);

}  // namespace htmlview
