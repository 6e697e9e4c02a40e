#include "HtmlParser.h"

#include <fstream>
#include <stdexcept>

#include "parser/HtmlBuilder.h"

namespace htmlview {

std::string ReadWholeFile(const std::string& fileName, std::size_t maxBytes) {
  std::ifstream file(fileName, std::ios::binary | std::ios::ate);
  if (!file) throw std::runtime_error("Can't read file: " + fileName);
  const std::streamoff size = file.tellg();
  if (size < 0) throw std::runtime_error("Can't read file: " + fileName);
  if (static_cast<std::uint64_t>(size) > maxBytes)
    throw std::runtime_error("File too large to show: " + fileName + " (more than " +
                             std::to_string(maxBytes / (1024 * 1024)) + " MiB)");
  std::string bytes(static_cast<std::size_t>(size), '\0');
  file.seekg(0);
  if (!file.read(bytes.data(), size)) throw std::runtime_error("Can't read file: " + fileName);
  return bytes;
}

void THtmlParser::Forget() {
  title_.clear();
  base_.clear();
  baseTarget_.clear();
  margins_ = {};
  parseError_.clear();
}

void THtmlParser::ParseFile(const TParseTarget& target, const std::string& fileName,
                            const TParseHandlers& handlers) {
  const std::string text = ReadWholeFile(fileName, kMaxFileBytes);
  ParseBuffer(target, text, handlers);
}

void THtmlParser::ParseBuffer(const TParseTarget& target, std::string_view text,
                              const TParseHandlers& handlers) {
  Forget();
  THtmlBuilder builder(target, handlers, *this);
  builder.ParseHtml(text);
}

void THtmlParser::ReadTextFile(const TParseTarget& target, const std::string& fileName) {
  const std::string text = ReadWholeFile(fileName, kMaxFileBytes);
  ReadTextBuffer(target, text);
}

void THtmlParser::ReadTextBuffer(const TParseTarget& target, std::string_view text) {
  Forget();
  const TParseHandlers none;
  THtmlBuilder builder(target, none, *this);
  builder.ParsePlainText(text);
}

}  // namespace htmlview
