#pragma once

#include <cstdlib>
#include <initializer_list>
#include <string>
#include <utility>

#include "document/Attributes.h"
#include "forms/DetachedControlHost.h"
#include "forms/FormControlObj.h"

namespace htmlview {

// An attribute list as the parser makes it: a text, and its number when the text is one.
inline TAttributeList Attrs(std::initializer_list<std::pair<TAttrSymbol, std::string>> items) {
  TAttributeList list;
  for (const auto& [which, text] : items) {
    char* end = nullptr;
    const long number = std::strtol(text.c_str(), &end, 10);
    const bool isNumber = !text.empty() && *end == '\0';
    list.Add(TAttribute{which, isNumber ? static_cast<std::int32_t>(number) : 0, text});
  }
  return list;
}

// The window the detached host made for a control.
inline TDetachedControlWindow& Win(const TFormControlObj* control) {
  return dynamic_cast<TDetachedControlWindow&>(*control->Window());
}

}  // namespace htmlview
