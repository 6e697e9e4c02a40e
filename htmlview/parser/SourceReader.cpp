#include "SourceReader.h"

#include <utility>

#include "parser/CodePages.h"
#include "parser/Utf8.h"

namespace htmlview {

void TSourceReader::Start(std::string_view text, bool utf8) {
  text_ = text;
  utf8_ = utf8;
  position_ = utf8 && text.substr(0, kUtf8ByteOrderMark.size()) == kUtf8ByteOrderMark
                  ? kUtf8ByteOrderMark.size()
                  : 0;
  sourceIndex_ = -1;
  lastLineEnd_ = 0;
  including_ = false;
  include_.clear();
  includePosition_ = 0;
  Next();
}

int TSourceReader::ReadRaw() {
  if (including_) {
    if (includePosition_ < include_.size())
      return static_cast<unsigned char>(include_[includePosition_++]);
    including_ = false;
    include_.clear();
    return -1;  // the held character comes back as it was
  }
  if (position_ >= text_.size()) return kEndOfInput;
  sourceIndex_ = static_cast<std::int32_t>(position_);
  const auto byte = static_cast<unsigned char>(text_[position_]);
  if (!utf8_ || byte < 0x80) {
    ++position_;
    return byte;
  }
  const TUtf8Char ch = DecodeUtf8(text_.substr(position_));
  if (ch.Length == 0) {
    position_ += ch.Span;
    return '?';
  }
  position_ += ch.Length;
  return static_cast<unsigned char>(WideCharToCodePage(ch.Code, codePage_));
}

void TSourceReader::Next() {
  for (;;) {
    const int raw = ReadRaw();
    if (raw < 0) {
      ch_ = heldCh_;
      lastLineEnd_ = heldLineEnd_;
      return;
    }
    if ((raw == '\n' && lastLineEnd_ == '\r') || (raw == '\r' && lastLineEnd_ == '\n')) {
      lastLineEnd_ = 0;
      continue;
    }
    if (raw == '\r' || raw == '\n') {
      lastLineEnd_ = raw;
      ch_ = '\r';
      return;
    }
    lastLineEnd_ = 0;
    ch_ = raw == '\t' ? ' ' : raw;
    return;
  }
}

int TSourceReader::Peek(std::size_t ahead) const {
  if (including_) {
    const std::size_t left = include_.size() - includePosition_;
    if (ahead < left) return static_cast<unsigned char>(include_[includePosition_ + ahead]);
    if (ahead == left) return heldCh_;
    ahead -= left + 1;
    // Past the held character the main text goes on where it stands.
  }
  if (position_ + ahead >= text_.size()) return kEndOfInput;
  return static_cast<unsigned char>(text_[position_ + ahead]);
}

void TSourceReader::BeginInclude(std::string buffer) {
  if (including_ || buffer.empty()) return;
  heldCh_ = ch_;
  heldLineEnd_ = lastLineEnd_;
  include_ = std::move(buffer);
  includePosition_ = 0;
  including_ = true;
  lastLineEnd_ = 0;
  Next();
}

}  // namespace htmlview
