#pragma once

#include <string>
#include <string_view>

#include "parser/Tokenizer.h"

namespace htmlview {

// The symbols of a text, one a line: a tag by its name ("/B" for an end tag, "H2" with its
// level), its attributes as NAME=text/number; text tokens quoted, with control characters
// as \xNN; "?" for an unknown tag, "." for a skipped character.
std::string DumpSymbols(std::string_view html, int codePage = 1252);
std::string DumpText(std::string_view text);

}  // namespace htmlview
