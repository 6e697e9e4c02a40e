#pragma once

#include <stdexcept>
#include <string>

namespace htmlview {

// A section that cannot be laid out (for example a table with too many columns). The cell
// that lays it out shows the text and leaves the section out; the rest of the page shows.
class EProcessingError : public std::runtime_error {
 public:
  explicit EProcessingError(const std::string& text) : std::runtime_error(text) {}
};

}  // namespace htmlview
