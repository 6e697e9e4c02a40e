#pragma once

#include <string>
#include <string_view>

namespace htmlview {

// Letter case as the viewer compares names, tags and attribute words: ASCII letters only,
// whatever the locale (a C library's toupper may fold bytes above 127 under some locales,
// and would then change text that is no name at all).

inline char UpperChar(char c) {
  return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

inline char LowerChar(char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

inline std::string UpperText(std::string text) {
  for (char& c : text) c = UpperChar(c);
  return text;
}

inline std::string LowerText(std::string text) {
  for (char& c : text) c = LowerChar(c);
  return text;
}

inline bool SameText(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (UpperChar(a[i]) != UpperChar(b[i])) return false;
  return true;
}

}  // namespace htmlview
