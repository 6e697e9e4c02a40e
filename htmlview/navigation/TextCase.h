#pragma once

#include <string>

// Letter case as the viewer compares names: ASCII letters only, whatever the locale.

inline char UpperChar(char c) {
  return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

inline std::string UpperText(std::string text) {
  for (char& c : text) c = UpperChar(c);
  return text;
}

inline bool SameText(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i)
    if (UpperChar(a[i]) != UpperChar(b[i])) return false;
  return true;
}
