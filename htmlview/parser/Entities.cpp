#include "Entities.h"

#include <array>

namespace htmlview {

namespace {

struct TSpecialEntity {
  std::string_view Name;
  std::string_view Text;
};

// Eight entities that pages of the time used beyond ISO 8859-1, each given as the code page
// 1252 characters that stand for them.
constexpr TSpecialEntity kSpecialEntities[] = {
    {"amp", "&"},   {"lt", "<"},    {"gt", ">"},       {"quot", "\""},
    {"rsquo", "'"}, {"ndash", "-"}, {"trade", "\x99"}, {"hellip", "..."},
};

// The ISO 8859-1 entities of HTML 3.2 in code order, from 160.
constexpr std::array<std::string_view, 96> kLatin1Entities = {
    "nbsp",   "iexcl",  "cent",   "pound",  "curren", "yen",    "brvbar", "sect",   "uml",
    "copy",   "ordf",   "laquo",  "not",    "shy",    "reg",    "macr",   "deg",    "plusmn",
    "sup2",   "sup3",   "acute",  "micro",  "para",   "middot", "cedil",  "sup1",   "ordm",
    "raquo",  "frac14", "frac12", "frac34", "iquest", "Agrave", "Aacute", "Acirc",  "Atilde",
    "Auml",   "Aring",  "AElig",  "Ccedil", "Egrave", "Eacute", "Ecirc",  "Euml",   "Igrave",
    "Iacute", "Icirc",  "Iuml",   "ETH",    "Ntilde", "Ograve", "Oacute", "Ocirc",  "Otilde",
    "Ouml",   "times",  "Oslash", "Ugrave", "Uacute", "Ucirc",  "Uuml",   "Yacute", "THORN",
    "szlig",  "agrave", "aacute", "acirc",  "atilde", "auml",   "aring",  "aelig",  "ccedil",
    "egrave", "eacute", "ecirc",  "euml",   "igrave", "iacute", "icirc",  "iuml",   "eth",
    "ntilde", "ograve", "oacute", "ocirc",  "otilde", "ouml",   "divide", "oslash", "ugrave",
    "uacute", "ucirc",  "uuml",   "yacute", "thorn",  "yuml",
};

// One string holding the characters 160..255, so that each entity can point into it.
constexpr std::array<char, 96> MakeLatin1Characters() {
  std::array<char, 96> characters{};
  for (int i = 0; i < 96; ++i) characters[static_cast<std::size_t>(i)] = static_cast<char>(160 + i);
  return characters;
}
constexpr std::array<char, 96> kLatin1Characters = MakeLatin1Characters();

}  // namespace

std::string_view EntityText(std::string_view name) {
  for (const TSpecialEntity& entity : kSpecialEntities)
    if (entity.Name == name) return entity.Text;
  for (std::size_t i = 0; i < kLatin1Entities.size(); ++i)
    if (kLatin1Entities[i] == name) return std::string_view(&kLatin1Characters[i], 1);
  return {};
}

}  // namespace htmlview
