#pragma once

#include <optional>
#include <string>

namespace htmlview {

// A document's request to be replaced after a delay (META HTTP-EQUIV="refresh").
struct TMetaRefresh {
  int Delay = 0;    // seconds, at least 1
  std::string Url;  // empty: reload the same document
};

// From a refresh tag's CONTENT ("5; URL=next.htm"); nothing when the delay is no number.
std::optional<TMetaRefresh> ParseMetaRefresh(const std::string& content);

}  // namespace htmlview
