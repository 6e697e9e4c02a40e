#include "parser/HtmlBuilder.h"

namespace htmlview {

std::string THtmlBuilder::ReadRawText(std::string_view endTag, bool decodeEntities, bool crLf) {
  TSourceReader& reader = tokenizer_.Reader();
  std::string text;
  TokenObj entity;
  auto atEndTag = [&] {
    if (!tokenizer_.LooksAt(endTag)) return false;
    const int after = reader.Peek(endTag.size() - 1);
    return !((after >= 'a' && after <= 'z') || (after >= 'A' && after <= 'Z'));
  };
  while (!reader.AtEnd() && !atEndTag()) {
    const int c = reader.Ch();
    if (c == '\r') {
      text += crLf ? "\r\n" : "\r";
      reader.Next();
    } else if (c == '&' && decodeEntities) {
      entity.Clear();
      tokenizer_.ReadEntity(entity);
      text += entity.S;
    } else {
      text.push_back(static_cast<char>(c));
      reader.Next();
    }
  }
  return text;
}

void THtmlBuilder::DoScript() {
  // The script's own "<" and "<!--" are its text: it is read raw to its end tag.
  if (handlers_.OnScript) {
    const std::string name = Attributes().Text(TAttrSymbol::NAME);
    const std::string language = Attributes().Text(TAttrSymbol::LANGUAGE);
    const std::string script = ReadRawText("</script", false, true);
    handlers_.OnScript(name, language, script);
  } else {
    ReadRawText("</script", false, false);
  }
  Next();
  if (Sy() == TSymbol::ScriptEnd) Next();
}

}  // namespace htmlview
