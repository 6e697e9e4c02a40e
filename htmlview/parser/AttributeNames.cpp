#include "AttributeNames.h"

namespace htmlview {

namespace {

struct TAttributeName {
  std::string_view Name;
  TAttrSymbol Symbol;
};

// 63 names: VALUE stands twice with the same symbol, as it always has.
constexpr TAttributeName kAttributeNames[] = {
    {"HREF", TAttrSymbol::HREF},
    {"NAME", TAttrSymbol::NAME},
    {"SRC", TAttrSymbol::SRC},
    {"ALT", TAttrSymbol::ALT},
    {"ALIGN", TAttrSymbol::ALIGN},
    {"TEXT", TAttrSymbol::TEXT},
    {"BGCOLOR", TAttrSymbol::BGCOLOR},
    {"LINK", TAttrSymbol::LINK},
    {"BACKGROUND", TAttrSymbol::BACKGROUND},
    {"COLSPAN", TAttrSymbol::COLSPAN},
    {"ROWSPAN", TAttrSymbol::ROWSPAN},
    {"BORDER", TAttrSymbol::BORDER},
    {"CELLPADDING", TAttrSymbol::CELLPADDING},
    {"CELLSPACING", TAttrSymbol::CELLSPACING},
    {"VALIGN", TAttrSymbol::VALIGN},
    {"WIDTH", TAttrSymbol::WIDTH},
    {"START", TAttrSymbol::START},
    {"VALUE", TAttrSymbol::VALUE},
    {"TYPE", TAttrSymbol::TYPE},
    {"CHECKBOX", TAttrSymbol::CHECKBOX},
    {"RADIO", TAttrSymbol::RADIO},
    {"METHOD", TAttrSymbol::METHOD},
    {"ACTION", TAttrSymbol::ACTION},
    {"CHECKED", TAttrSymbol::CHECKED},
    {"SIZE", TAttrSymbol::SIZE},
    {"MAXLENGTH", TAttrSymbol::MAXLENGTH},
    {"COLS", TAttrSymbol::COLS},
    {"ROWS", TAttrSymbol::ROWS},
    {"MULTIPLE", TAttrSymbol::MULTIPLE},
    {"VALUE", TAttrSymbol::VALUE},
    {"SELECTED", TAttrSymbol::SELECTED},
    {"FACE", TAttrSymbol::FACE},
    {"COLOR", TAttrSymbol::COLOR},
    {"TRANSP", TAttrSymbol::TRANSP},
    {"CLEAR", TAttrSymbol::CLEAR},
    {"ISMAP", TAttrSymbol::ISMAP},
    {"BORDERCOLOR", TAttrSymbol::BORDERCOLOR},
    {"USEMAP", TAttrSymbol::USEMAP},
    {"SHAPE", TAttrSymbol::SHAPE},
    {"COORDS", TAttrSymbol::COORDS},
    {"NOHREF", TAttrSymbol::NOHREF},
    {"HEIGHT", TAttrSymbol::HEIGHT},
    {"PLAIN", TAttrSymbol::PLAIN},
    {"TARGET", TAttrSymbol::TARGET},
    {"NORESIZE", TAttrSymbol::NORESIZE},
    {"SCROLLING", TAttrSymbol::SCROLLING},
    {"HSPACE", TAttrSymbol::HSPACE},
    {"LANGUAGE", TAttrSymbol::LANGUAGE},
    {"FRAMEBORDER", TAttrSymbol::FRAMEBORDER},
    {"MARGINWIDTH", TAttrSymbol::MARGINWIDTH},
    {"MARGINHEIGHT", TAttrSymbol::MARGINHEIGHT},
    {"LOOP", TAttrSymbol::LOOP},
    {"ONCLICK", TAttrSymbol::ONCLICK},
    {"WRAP", TAttrSymbol::WRAP},
    {"NOSHADE", TAttrSymbol::NOSHADE},
    {"HTTP-EQUIV", TAttrSymbol::HTTP_EQUIV},
    {"CONTENT", TAttrSymbol::CONTENT},
    {"ENCTYPE", TAttrSymbol::ENCTYPE},
    {"VLINK", TAttrSymbol::VLINK},
    {"OLINK", TAttrSymbol::OLINK},
    {"ACTIVE", TAttrSymbol::ACTIVE},
    {"VSPACE", TAttrSymbol::VSPACE},
    {"NOWRAP", TAttrSymbol::NOWRAP},
};
static_assert(sizeof(kAttributeNames) / sizeof(kAttributeNames[0]) == 63);

}  // namespace

TAttrSymbol AttributeSymbolOf(std::string_view upperName) {
  for (const TAttributeName& entry : kAttributeNames)
    if (entry.Name == upperName) return entry.Symbol;
  return TAttrSymbol::Unknown;
}

std::string_view AttributeNameOf(TAttrSymbol symbol) {
  for (const TAttributeName& entry : kAttributeNames)
    if (entry.Symbol == symbol) return entry.Name;
  return {};
}

}  // namespace htmlview
