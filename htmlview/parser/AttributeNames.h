#pragma once

#include <string_view>

#include "document/Attributes.h"

namespace htmlview {

// The attribute table: an upper-case name to its symbol; Unknown for names outside it.
TAttrSymbol AttributeSymbolOf(std::string_view upperName);
// The name of an attribute symbol as the table writes it ("" for Unknown).
std::string_view AttributeNameOf(TAttrSymbol symbol);

}  // namespace htmlview
