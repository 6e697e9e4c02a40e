#include "navigation/FileNameExpansion.h"

#include "text/AsciiCase.h"

namespace htmlview {

namespace {
int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

bool StartsWithNoCase(const std::string& text, const char* prefix) {
  std::size_t i = 0;
  for (; prefix[i]; ++i)
    if (i >= text.size() || UpperChar(text[i]) != UpperChar(prefix[i])) return false;
  return true;
}

bool IsDrivePath(const std::string& name) {
  return (name.size() >= 2 && name[1] == ':') || name.compare(0, 2, "\\\\") == 0;
}
}  // namespace

std::string TrimControls(const std::string& text) {
  std::size_t first = 0, last = text.size();
  while (first < last && static_cast<unsigned char>(text[first]) <= ' ') ++first;
  while (last > first && static_cast<unsigned char>(text[last - 1]) <= ' ') --last;
  return text.substr(first, last - first);
}

std::string DecodeUrlEscapes(const std::string& text) {
  std::string result;
  result.reserve(text.size());
  std::size_t i = 0;
  while (i < text.size()) {
    const std::size_t percent = text.find('%', i);
    if (percent == std::string::npos || percent == 0 || percent + 3 > text.size()) break;
    const int high = HexDigit(text[percent + 1]);
    const int low = HexDigit(text[percent + 2]);
    if (high < 0 || low < 0 || (high == 0 && low == 0)) break;
    result.append(text, i, percent - i);
    result.push_back(static_cast<char>(high * 16 + low));
    i = percent + 3;  // what an escape gives is never decoded again
  }
  result.append(text, i, std::string::npos);
  return result;
}

std::string UrlToDosName(const std::string& text) {
  if (text.find('/') == std::string::npos) return text;
  std::string name = DecodeUrlEscapes(text);
  if (StartsWithNoCase(name, "file:///"))
    name.erase(0, 8);
  else if (StartsWithNoCase(name, "file://"))
    name.erase(0, 7);
  for (char& c : name) {
    if (c == '|') c = ':';
    if (c == '/') c = '\\';
  }
  return name;
}

std::string ExtractFilePath(const std::string& path) {
  const std::size_t end = path.find_last_of("\\:");
  return end == std::string::npos ? std::string() : path.substr(0, end + 1);
}

std::string NormaliseServerRoot(const std::string& root) {
  std::string trimmed = TrimControls(root);
  if (!trimmed.empty() && trimmed.back() == '\\') trimmed.pop_back();
  return trimmed;
}

std::string ExpandFileName(const std::string& target, const TFileNameContext& context) {
  const auto full = [&](const std::string& name) {
    return context.ExpandFullPath ? context.ExpandFullPath(name) : name;
  };
  std::string name = TrimControls(target);
  if (name.find('/') != std::string::npos) {
    name = UrlToDosName(name);
    if (!name.empty() && name[0] == '\\') name = context.ServerRoot + name;
  }
  if (IsDrivePath(name)) return name;
  if (!name.empty() && name[0] == '\\') return full(name);
  if (SameText(context.Base, "DosPath")) return name;
  if (!context.Base.empty()) {
    // A base names a document or a folder: a name is resolved against its folder, as a
    // browser resolves a relative link.
    std::string base = UrlToDosName(TrimControls(context.Base));
    if (!base.empty() && base.back() != '\\' && base.back() != ':') base = ExtractFilePath(base);
    return full(base + name);
  }
  return full(ExtractFilePath(context.CurrentFile) + name);
}

}  // namespace htmlview
