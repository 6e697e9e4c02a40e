#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace htmlview {

// What Ch() gives once the text is used up. Distinct from every byte, so that a stray
// control character 26 inside a page is only a control character.
constexpr int kEndOfInput = 256;

// Reads the characters of the main text, or of an include buffer that an include directive
// supplied, one at a time. Line ends are folded (CR, LF, CR LF and LF CR each read as one
// CR) and a tab reads as a space. Every character read from the main text is counted, so
// that each character knows the place in the text it came from.
//
// Text in UTF-8 is decoded into the code page set: a character that the code page has
// reads as its byte there, any other (and a byte that is no well-formed UTF-8) as "?".
// Its place is that of its first byte; a byte-order mark is skipped.
class TSourceReader {
 public:
  // The text must outlive the reader. Reads the first character.
  void Start(std::string_view text, bool utf8 = false);
  // The code page UTF-8 text is decoded into (the one the document's fonts show).
  void SetCodePage(int codePage) { codePage_ = codePage; }

  int Ch() const { return ch_; }
  int UpperCh() const { return ch_ >= 'a' && ch_ <= 'z' ? ch_ - 'a' + 'A' : ch_; }
  bool AtEnd() const { return ch_ == kEndOfInput; }
  // The place in the main text of the current character (-1 before the first).
  std::int32_t SourceIndex() const { return sourceIndex_; }

  // Reads the next character.
  void Next();

  // The raw character `ahead` places after the current one (0 is the next), without the
  // folding; kEndOfInput past the end. Only for looking at letters and punctuation.
  int Peek(std::size_t ahead) const;

  // The characters of `buffer` are read next, then the main text goes on with the current
  // character. Ignored while an include buffer is being read (includes do not nest).
  void BeginInclude(std::string buffer);
  bool ReadingInclude() const { return including_; }

 private:
  int ReadRaw();

  std::string_view text_;
  std::size_t position_ = 0;
  std::int32_t sourceIndex_ = -1;
  bool utf8_ = false;
  int codePage_ = 1252;
  int ch_ = kEndOfInput;
  int lastLineEnd_ = 0;  // the raw CR or LF just read, to fold its partner

  bool including_ = false;
  std::string include_;
  std::size_t includePosition_ = 0;
  int heldCh_ = kEndOfInput;  // the main text's character that waits behind the include
  int heldLineEnd_ = 0;       // and its line end, whose partner still folds into it
};

}  // namespace htmlview
