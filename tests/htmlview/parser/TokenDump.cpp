#include "TokenDump.h"

#include <cstdio>

#include "parser/AttributeNames.h"

namespace htmlview {

std::string DumpText(std::string_view text) {
  std::string out = "\"";
  for (char c : text) {
    const unsigned char u = static_cast<unsigned char>(c);
    if (u < 32 || u >= 127) {
      char hex[8];
      std::snprintf(hex, sizeof hex, "\\x%02X", u);
      out += hex;
    } else {
      out.push_back(c);
    }
  }
  return out + "\"";
}

std::string DumpSymbols(std::string_view html, int codePage) {
  THtmlTokenizer tokenizer;
  tokenizer.SetCodePage(codePage);
  tokenizer.Start(html);
  std::string out;
  for (TSymbol symbol = tokenizer.Next(); symbol != TSymbol::EndOfInput;
       symbol = tokenizer.Next()) {
    if (!out.empty()) out += "\n";
    if (symbol == TSymbol::Text) {
      out += DumpText(tokenizer.Token().S);
      continue;
    }
    if (symbol == TSymbol::UnknownTag) {
      out += "?";
      continue;
    }
    if (symbol == TSymbol::Other) {
      out += ".";
      continue;
    }
    const bool isEnd = static_cast<int>(symbol) >= kTagCount;
    out += (isEnd ? "/" : "") + std::string(TagNameOf(symbol));
    if (tokenizer.HeadingLevel() > 0) out += std::to_string(tokenizer.HeadingLevel());
    for (const TAttribute& attribute : tokenizer.Attributes().Items()) {
      out += " ";
      out += attribute.Which == TAttrSymbol::Unknown
                 ? "?"
                 : std::string(AttributeNameOf(attribute.Which));
      out += "=" + DumpText(attribute.Text) + "/" + std::to_string(attribute.Value);
    }
  }
  return out;
}

}  // namespace htmlview
