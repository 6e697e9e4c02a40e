#pragma once

#include <string_view>

namespace htmlview {

// The characters a named entity gives (compared with case); empty for an unknown name.
// Every entity gives one character except hellip, which gives three full stops.
std::string_view EntityText(std::string_view name);

}  // namespace htmlview
