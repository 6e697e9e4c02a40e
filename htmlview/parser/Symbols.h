#pragma once

#include <bitset>
#include <cstdint>
#include <string_view>

namespace htmlview {

// What the tokenizer hands the builder: a tag's start or end, a text token, the end of the
// input, an unknown tag or a single other character. Start symbols stand in the order of
// the tag table; the first 49 tags have end symbols, in the same order.
enum class TSymbol : std::uint8_t {
  Html,
  Title,
  Body,
  Head,
  B,
  I,
  H,
  Em,
  Strong,
  U,
  Cite,
  Var,
  Tt,
  Code,
  Kbd,
  Samp,
  Ol,
  Ul,
  Dir,
  Menu,
  Dl,
  A,
  Address,
  BlockQuote,
  Pre,
  Center,
  Table,
  Td,
  Th,
  Caption,
  Form,
  TextArea,
  Select,
  Option,
  Font,
  Sub,
  Sup,
  Big,
  Small,
  P,
  Map,
  FrameSet,
  NoFrames,
  Script,
  Div,
  S,
  Strike,
  Tr,
  NoBr,
  // Start only.
  Li,
  Br,
  Hr,
  Dd,
  Dt,
  Img,
  Base,
  Button,
  Input,
  Selected,
  BaseFont,
  Area,
  Frame,
  BgSound,
  Wrap,
  Meta,
  Wbr,
  // End symbols of the first 49 tags.
  HtmlEnd,
  TitleEnd,
  BodyEnd,
  HeadEnd,
  BEnd,
  IEnd,
  HEnd,
  EmEnd,
  StrongEnd,
  UEnd,
  CiteEnd,
  VarEnd,
  TtEnd,
  CodeEnd,
  KbdEnd,
  SampEnd,
  OlEnd,
  UlEnd,
  DirEnd,
  MenuEnd,
  DlEnd,
  AEnd,
  AddressEnd,
  BlockQuoteEnd,
  PreEnd,
  CenterEnd,
  TableEnd,
  TdEnd,
  ThEnd,
  CaptionEnd,
  FormEnd,
  TextAreaEnd,
  SelectEnd,
  OptionEnd,
  FontEnd,
  SubEnd,
  SupEnd,
  BigEnd,
  SmallEnd,
  PEnd,
  MapEnd,
  FrameSetEnd,
  NoFramesEnd,
  ScriptEnd,
  DivEnd,
  SEnd,
  StrikeEnd,
  TrEnd,
  NoBrEnd,
  // Not tags.
  Text,
  LineEnd,  // preformatted text only: elsewhere a line end is a space of a text token
  EndOfInput,
  UnknownTag,
  Other,
};

constexpr int kTagCount = 66;
constexpr int kTagsWithEnd = 49;
constexpr int kSymbolCount = static_cast<int>(TSymbol::Other) + 1;

// The tag's start symbol, or UnknownTag for a name outside the table (upper case, exact).
TSymbol StartSymbolOf(std::string_view upperName);
// The tag's end symbol; UnknownTag for a name outside the table or a tag without an end.
TSymbol EndSymbolOf(std::string_view upperName);
// True for the tags whose attributes the builder reads; the others' are read and dropped.
bool KeepsAttributes(TSymbol startSymbol);
// The tag's name as the table writes it ("" for symbols that are not start or end tags).
std::string_view TagNameOf(TSymbol symbol);

class TSymbolSet {
 public:
  TSymbolSet() = default;
  TSymbolSet(std::initializer_list<TSymbol> symbols) {
    for (TSymbol symbol : symbols) Add(symbol);
  }
  void Add(TSymbol symbol) { bits_.set(static_cast<std::size_t>(symbol)); }
  TSymbolSet& operator|=(const TSymbolSet& other) {
    bits_ |= other.bits_;
    return *this;
  }
  bool Contains(TSymbol symbol) const { return bits_.test(static_cast<std::size_t>(symbol)); }

 private:
  std::bitset<kSymbolCount> bits_;
};

inline TSymbolSet operator|(TSymbolSet a, const TSymbolSet& b) {
  return a |= b;
}

}  // namespace htmlview
