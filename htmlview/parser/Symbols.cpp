#include "Symbols.h"

#include <array>

namespace htmlview {

namespace {

constexpr std::array<std::string_view, kTagCount> kTagNames = {
    "HTML", "TITLE",  "BODY",    "HEAD",  "B",        "I",          "H",        "EM",     "STRONG",
    "U",    "CITE",   "VAR",     "TT",    "CODE",     "KBD",        "SAMP",     "OL",     "UL",
    "DIR",  "MENU",   "DL",      "A",     "ADDRESS",  "BLOCKQUOTE", "PRE",      "CENTER", "TABLE",
    "TD",   "TH",     "CAPTION", "FORM",  "TEXTAREA", "SELECT",     "OPTION",   "FONT",   "SUB",
    "SUP",  "BIG",    "SMALL",   "P",     "MAP",      "FRAMESET",   "NOFRAMES", "SCRIPT", "DIV",
    "S",    "STRIKE", "TR",      "NOBR",  "LI",       "BR",         "HR",       "DD",     "DT",
    "IMG",  "BASE",   "BUTTON",  "INPUT", "SELECTED", "BASEFONT",   "AREA",     "FRAME",  "BGSOUND",
    "WRAP", "META",   "WBR",
};

int TagIndexOf(std::string_view upperName) {
  for (int i = 0; i < kTagCount; ++i)
    if (kTagNames[static_cast<std::size_t>(i)] == upperName) return i;
  return -1;
}

const TSymbolSet kKeepAttributes = {
    TSymbol::Body,     TSymbol::H,        TSymbol::Ol,     TSymbol::Ul,      TSymbol::A,
    TSymbol::Table,    TSymbol::Td,       TSymbol::Th,     TSymbol::Caption, TSymbol::Form,
    TSymbol::TextArea, TSymbol::Select,   TSymbol::Option, TSymbol::Font,    TSymbol::P,
    TSymbol::Map,      TSymbol::FrameSet, TSymbol::Script, TSymbol::Div,     TSymbol::Tr,
    TSymbol::Br,       TSymbol::Hr,       TSymbol::Img,    TSymbol::Base,    TSymbol::Input,
    TSymbol::BaseFont, TSymbol::Area,     TSymbol::Frame,  TSymbol::BgSound, TSymbol::Wrap,
    TSymbol::Meta,
};

}  // namespace

TSymbol StartSymbolOf(std::string_view upperName) {
  const int index = TagIndexOf(upperName);
  return index < 0 ? TSymbol::UnknownTag : static_cast<TSymbol>(index);
}

TSymbol EndSymbolOf(std::string_view upperName) {
  const int index = TagIndexOf(upperName);
  if (index < 0 || index >= kTagsWithEnd) return TSymbol::UnknownTag;
  return static_cast<TSymbol>(kTagCount + index);
}

bool KeepsAttributes(TSymbol startSymbol) {
  return kKeepAttributes.Contains(startSymbol);
}

std::string_view TagNameOf(TSymbol symbol) {
  const int value = static_cast<int>(symbol);
  if (value < kTagCount) return kTagNames[static_cast<std::size_t>(value)];
  if (value < kTagCount + kTagsWithEnd)
    return kTagNames[static_cast<std::size_t>(value - kTagCount)];
  return {};
}

}  // namespace htmlview
