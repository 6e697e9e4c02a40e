#include "Tokenizer.h"

#include <limits>

#include "parser/AttributeNames.h"
#include "parser/CodePages.h"
#include "parser/Entities.h"
#include "parser/ParseError.h"

namespace htmlview {

namespace {

bool IsLetter(int c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}
bool IsDigit(int c) {
  return c >= '0' && c <= '9';
}
bool IsSpaceOrLineEnd(int c) {
  return c == ' ' || c == '\r';
}
char Upper(int c) {
  return static_cast<char>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
}

// A space or line end inside a text run, outside no-break mode, reads as this.
constexpr char kSpace = ' ';
// In no-break mode a space reads as this code; the section turns it into a no-break space.
constexpr char kNoBreakSpace = 5;

}  // namespace

std::int32_t IntegerOf(std::string_view text) {
  while (!text.empty() && static_cast<unsigned char>(text.front()) <= ' ') text.remove_prefix(1);
  while (!text.empty() && static_cast<unsigned char>(text.back()) <= ' ') text.remove_suffix(1);
  bool negative = false;
  if (!text.empty() && (text[0] == '+' || text[0] == '-')) {
    negative = text[0] == '-';
    text.remove_prefix(1);
  }
  if (text.empty()) return 0;
  std::int64_t value = 0;
  for (char c : text) {
    if (!IsDigit(c)) return 0;
    value = value * 10 + (c - '0');
    if (value > std::numeric_limits<std::int32_t>::max()) return 0;
  }
  return static_cast<std::int32_t>(negative ? -value : value);
}

void THtmlTokenizer::Start(std::string_view text, bool utf8) {
  reader_.Start(text, utf8);
  symbol_ = TSymbol::EndOfInput;
  headingLevel_ = 0;
  token_.Clear();
  attributes_.Clear();
}

void THtmlTokenizer::SkipWhiteSpace() {
  while (IsSpaceOrLineEnd(reader_.Ch())) reader_.Next();
}

bool THtmlTokenizer::LooksAt(std::string_view lower) const {
  for (std::size_t i = 0; i < lower.size(); ++i) {
    const int c = i == 0 ? reader_.Ch() : reader_.Peek(i - 1);
    if (c == kEndOfInput) return false;
    const int folded = c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c;
    if (folded != static_cast<unsigned char>(lower[i])) return false;
  }
  return true;
}

TSymbol THtmlTokenizer::Next() {
  for (;;) {
    token_.Clear();
    headingLevel_ = 0;
    symbolStart_ = reader_.SourceIndex();
    const int c = reader_.Ch();
    if (c == kEndOfInput) return symbol_ = TSymbol::EndOfInput;
    if (c == '<') {
      if (reader_.Peek(0) == '!') {
        SkipCommentOrDeclaration();
        continue;
      }
      return ReadTagOrText();
    }
    if (c == '&') {
      ReadEntity(token_);
      return symbol_ = TSymbol::Text;
    }
    if (c == '\r' && Preformatted) {
      reader_.Next();
      return symbol_ = TSymbol::LineEnd;
    }
    if (c < ' ' && c != '\r') {
      reader_.Next();
      return symbol_ = TSymbol::Other;
    }
    ReadTextRun();
    return symbol_ = TSymbol::Text;
  }
}

TSymbol THtmlTokenizer::ReadTagOrText() {
  token_.Clear();
  headingLevel_ = 0;
  symbolStart_ = reader_.SourceIndex();
  const int next = reader_.Peek(0);
  if (next == '!') {
    SkipCommentOrDeclaration();
    return symbol_ = TSymbol::Other;
  }
  if (IsLetter(next) || (next == '/' && IsLetter(reader_.Peek(1)))) return symbol_ = ReadTag();
  token_.Add('<', reader_.SourceIndex());
  reader_.Next();
  return symbol_ = TSymbol::Text;
}

TSymbol THtmlTokenizer::ReadTag() {
  reader_.Next();  // past "<"
  const bool isEnd = reader_.Ch() == '/';
  if (isEnd) reader_.Next();
  std::string name;
  while (IsLetter(reader_.Ch())) {
    if (name.size() < kMaxTagName) name.push_back(Upper(reader_.Ch()));
    reader_.Next();
  }
  const TSymbol symbol = isEnd ? EndSymbolOf(name) : StartSymbolOf(name);
  if (name == "H" && reader_.Ch() >= '1' && reader_.Ch() <= '6') {
    headingLevel_ = reader_.Ch() - '0';
    reader_.Next();
  }
  attributes_.Clear();
  const bool keep = !isEnd && KeepsAttributes(symbol);
  SkipWhiteSpace();
  std::string writtenName;
  while (IsLetter(reader_.Ch())) {
    TAttribute attribute;
    ReadAttribute(writtenName, attribute);
    if (keep && attributes_.Items().size() < kMaxAttributes) attributes_.Add(std::move(attribute));
  }
  while (reader_.Ch() != '>' && reader_.Ch() != kEndOfInput) reader_.Next();
  if (reader_.Ch() == '>') reader_.Next();
  return symbol;
}

void THtmlTokenizer::ReadAttribute(std::string& writtenName, TAttribute& attribute,
                                   bool inComment) {
  writtenName.clear();
  std::string upperName;
  while (IsLetter(reader_.Ch()) || reader_.Ch() == '-') {
    if (writtenName.size() < kMaxAttributeName) {
      writtenName.push_back(static_cast<char>(reader_.Ch()));
      upperName.push_back(Upper(reader_.Ch()));
    }
    reader_.Next();
  }
  attribute.Which = AttributeSymbolOf(upperName);
  SkipWhiteSpace();
  if (reader_.Ch() == '=') {
    reader_.Next();
    SkipWhiteSpace();
    const int c = reader_.Ch();
    if (c == '"' || c == '\'') {
      ReadQuotedValue(attribute.Text);
      std::string_view number = attribute.Text;
      if (!number.empty() && number.back() == '%') number.remove_suffix(1);
      attribute.Value = IntegerOf(number);
    } else if ((c == '+' || c == '-' || IsDigit(c)) && !AtCommentEnd(inComment)) {
      ReadNumberValue(attribute.Text, attribute.Value, inComment);
    } else {
      ReadBareValue(attribute.Text, inComment);
      attribute.Value = IntegerOf(attribute.Text);
    }
  } else {
    attribute.Text.clear();
    attribute.Value = attribute.Which == TAttrSymbol::BORDER ? 1 : 0;
  }
  SkipWhiteSpace();
}

void THtmlTokenizer::ReadQuotedValue(std::string& value) {
  const int quote = reader_.Ch();
  reader_.Next();
  value.clear();
  for (;;) {
    const int c = reader_.Ch();
    if (c == quote) {
      reader_.Next();
      break;
    }
    if (c == '>' || c == kEndOfInput) break;
    if (c == '\r') {
      reader_.Next();
    } else if (c == '&') {
      scratch_.Clear();
      ReadEntity(scratch_);
      if (value.size() < kMaxAttributeValue) value += scratch_.S;
    } else {
      if (value.size() < kMaxAttributeValue) value.push_back(static_cast<char>(c));
      reader_.Next();
    }
  }
  if (value.size() > kMaxAttributeValue) value.resize(kMaxAttributeValue);
  value = TrimmedText(value);
}

bool THtmlTokenizer::AtCommentEnd(bool inComment) const {
  return inComment && reader_.Ch() == '-' && reader_.Peek(0) == '-';
}

void THtmlTokenizer::ReadNumberValue(std::string& value, std::int32_t& number, bool inComment) {
  value.clear();
  if (reader_.Ch() == '+' || reader_.Ch() == '-') {
    value.push_back(static_cast<char>(reader_.Ch()));
    reader_.Next();
  }
  for (int c = reader_.Ch(); c != ' ' && c != '\r' && c != '%' && c != '>' && c != kEndOfInput &&
                             !AtCommentEnd(inComment);
       c = reader_.Ch()) {
    if (value.size() < kMaxAttributeValue) value.push_back(static_cast<char>(c));
    reader_.Next();
  }
  number = IntegerOf(value);
  SkipWhiteSpace();
  if (reader_.Ch() == '%') {
    value.push_back('%');
    reader_.Next();
  }
}

void THtmlTokenizer::ReadBareValue(std::string& value, bool inComment) {
  value.clear();
  for (int c = reader_.Ch();
       c != ' ' && c != '\r' && c != '>' && c != kEndOfInput && !AtCommentEnd(inComment);
       c = reader_.Ch()) {
    if (value.size() < kMaxAttributeValue) value.push_back(static_cast<char>(c));
    reader_.Next();
  }
}

void THtmlTokenizer::ReadEntity(TokenObj& into) {
  const std::int32_t start = reader_.SourceIndex();
  TokenObj literal;
  literal.Add('&', start);
  reader_.Next();
  auto takeLiteral = [&] {
    into.S += literal.S;
    into.I.insert(into.I.end(), literal.I.begin(), literal.I.end());
  };
  auto take = [&](int c) { literal.Add(static_cast<char>(c), reader_.SourceIndex()); };

  if (reader_.Ch() == '#') {
    take('#');
    reader_.Next();
    std::int32_t value = 0;
    int digits = 0;
    while (digits < 6 && IsDigit(reader_.Ch())) {
      value = value * 10 + (reader_.Ch() - '0');
      take(reader_.Ch());
      reader_.Next();
      ++digits;
    }
    if (digits == 0) return takeLiteral();
    if (reader_.Ch() == ';') {
      take(';');
      reader_.Next();
    }
    if (value == 9)
      into.Add(' ', start);
    else if (value == 10 || (value >= 32 && value <= 255))
      into.Add(static_cast<char>(value), start);
    else if (value > 255)
      into.Add(WideCharToCodePage(static_cast<std::uint32_t>(value), codePage_), start);
    else
      takeLiteral();  // control characters stay as written
    return;
  }

  std::string name;
  while (name.size() < 7 && (IsLetter(reader_.Ch()) || IsDigit(reader_.Ch()))) {
    name.push_back(static_cast<char>(reader_.Ch()));
    take(reader_.Ch());
    reader_.Next();
  }
  if (name.empty() || IsLetter(reader_.Ch()) || IsDigit(reader_.Ch())) return takeLiteral();
  if (reader_.Ch() == ';') {
    take(';');
    reader_.Next();
  }
  const std::string_view text = EntityText(name);
  if (text.empty()) return takeLiteral();
  for (std::size_t i = 0; i < text.size(); ++i)
    into.Add(text[i], start + static_cast<std::int32_t>(i));
}

void THtmlTokenizer::ReadTextRun() {
  const std::size_t run = Preformatted ? kPreformattedRun : kTextRun;
  while (token_.Size() < run) {
    const int c = reader_.Ch();
    if (c == kEndOfInput || c == '<' || c == '&' || (c < ' ' && c != '\r')) break;
    if (Preformatted && c == '\r') break;  // each line of preformatted text is its own
    if (!Preformatted && IsSpaceOrLineEnd(c)) {
      token_.Add(NoBreak ? kNoBreakSpace : kSpace, reader_.SourceIndex());
      reader_.Next();
      SkipWhiteSpace();
      continue;
    }
    token_.Add(static_cast<char>(c), reader_.SourceIndex());
    reader_.Next();
  }
}

void THtmlTokenizer::SkipCommentOrDeclaration() {
  reader_.Next();  // "<"
  reader_.Next();  // "!"
  if (reader_.Ch() == '-' && reader_.Peek(0) == '-') {
    reader_.Next();
    reader_.Next();
    if (reader_.Ch() == '#' && includeHandler_ && !reader_.ReadingInclude())
      ReadIncludeDirective();
    else
      SkipCommentBody();
    return;
  }
  while (reader_.Ch() != '>' && reader_.Ch() != kEndOfInput) reader_.Next();
  if (reader_.Ch() == '>') reader_.Next();
}

void THtmlTokenizer::SkipCommentBody() {
  for (;;) {
    if (reader_.AtEnd()) throw EParseError("Open Comment at End of HTML File");
    if (reader_.Ch() == '-' && reader_.Peek(0) == '-') {
      reader_.Next();
      reader_.Next();
      while (reader_.Ch() == '-') reader_.Next();
      SkipWhiteSpace();
      if (reader_.Ch() == '>') {
        reader_.Next();
        return;
      }
      continue;
    }
    reader_.Next();
  }
}

void THtmlTokenizer::ReadIncludeDirective() {
  reader_.Next();  // "#"
  std::string command;
  while (IsLetter(reader_.Ch())) {
    if (command.size() < kMaxTagName) command.push_back(Upper(reader_.Ch()));
    reader_.Next();
  }
  SkipWhiteSpace();
  std::vector<std::string> params;
  std::string writtenName;
  while (IsLetter(reader_.Ch())) {
    TAttribute attribute;
    ReadAttribute(writtenName, attribute, true);
    if (params.size() < kMaxAttributes)
      params.push_back(writtenName + "=\"" + attribute.Text + "\"");
  }
  SkipCommentBody();
  std::string buffer;
  includeHandler_(command, params, buffer);
  reader_.BeginInclude(std::move(buffer));
}

}  // namespace htmlview
