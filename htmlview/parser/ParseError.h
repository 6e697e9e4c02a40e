#pragma once

#include <stdexcept>
#include <string>

namespace htmlview {

// A fault in the text that ends parsing; what was built until then stays.
class EParseError : public std::runtime_error {
 public:
  explicit EParseError(const std::string& message) : std::runtime_error(message) {}
};

}  // namespace htmlview
