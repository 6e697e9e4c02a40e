#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "document/Attributes.h"
#include "document/TokenObj.h"
#include "parser/SourceReader.h"
#include "parser/Symbols.h"

namespace htmlview {

// An include directive's handler: the command (upper case), its NAME="value" lines, and a
// buffer that the handler may fill with text to be read in the directive's place.
using TIncludeHandler = std::function<void(
    const std::string& command, const std::vector<std::string>& params, std::string& buffer)>;

// Turns the characters into symbols with one symbol of look-ahead: tags with their
// attributes, text tokens (entities decoded, white space folded), the end of the input.
// Comments, declarations and include directives are consumed on the way.
class THtmlTokenizer {
 public:
  // Limits that keep a hostile page from making the tokenizer allocate without bound.
  static constexpr std::size_t kMaxTagName = 255;
  static constexpr std::size_t kMaxAttributeName = 255;
  static constexpr std::size_t kMaxAttributeValue = 32 * 1024;
  static constexpr std::size_t kMaxAttributes = 256;
  static constexpr std::size_t kTextRun = 100;
  static constexpr std::size_t kPreformattedRun = 200;

  // The text must outlive the tokenizer. Reads the first character, not yet a symbol.
  // `utf8`: the text is decoded from UTF-8 into the code page.
  void Start(std::string_view text, bool utf8 = false);
  void SetIncludeHandler(TIncludeHandler handler) { includeHandler_ = std::move(handler); }

  // Modes set by the builder.
  bool Preformatted = false;  // spaces and line ends are kept
  bool NoBreak = false;       // spaces read as the no-break code 5
  // For character references above 255, and for text in UTF-8.
  void SetCodePage(int codePage) {
    codePage_ = codePage;
    reader_.SetCodePage(codePage);
  }

  // Reads the next symbol. Throws EParseError for a comment open at the end of the text.
  // In preformatted mode a text token ends before a line end, which reads as LineEnd.
  TSymbol Next();

  TSymbol Symbol() const { return symbol_; }
  // The source index of the symbol's first character ("<" of a tag).
  std::int32_t SymbolStart() const { return symbolStart_; }
  int HeadingLevel() const { return headingLevel_; }
  const TokenObj& Token() const { return token_; }
  const TAttributeList& Attributes() const { return attributes_; }

  // Character-level reading for PRE, TEXTAREA and SCRIPT.
  TSourceReader& Reader() { return reader_; }
  // At "&": adds the entity's characters (or the literal text) to `into`.
  void ReadEntity(TokenObj& into);
  // At "<": reads a tag as Next() would, skips a comment (giving Other), or gives "<" as
  // text when no tag follows. Sets and returns the symbol.
  TSymbol ReadTagOrText();
  // True when the raw text from the current character starts with `lower` (any case).
  bool LooksAt(std::string_view lower) const;

 private:
  TSymbol ReadTag();
  // Reads one attribute at its first letter; `writtenName` is the name as it stands. In an
  // include directive (`inComment`) an unquoted value ends before the comment's "--".
  void ReadAttribute(std::string& writtenName, TAttribute& attribute, bool inComment = false);
  void ReadQuotedValue(std::string& value);
  void ReadNumberValue(std::string& value, std::int32_t& number, bool inComment);
  void ReadBareValue(std::string& value, bool inComment);
  bool AtCommentEnd(bool inComment) const;
  void ReadTextRun();
  void SkipCommentOrDeclaration();
  void SkipCommentBody();
  void ReadIncludeDirective();
  void SkipWhiteSpace();

  TSourceReader reader_;
  int codePage_ = 1252;
  TIncludeHandler includeHandler_;
  TSymbol symbol_ = TSymbol::EndOfInput;
  std::int32_t symbolStart_ = -1;
  int headingLevel_ = 0;
  TokenObj token_;
  TokenObj scratch_;  // entities inside attribute values
  TAttributeList attributes_;
};

// The integer a text spells (optional sign, decimal digits, nothing else; surrounding
// white space allowed), or 0.
std::int32_t IntegerOf(std::string_view text);

}  // namespace htmlview
