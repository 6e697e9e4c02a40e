#include "testing/QuietViewHost.h"

#include <stdexcept>

namespace htmlview {

std::string TNoFiles::Read(const std::string& name, std::size_t) {
  throw std::runtime_error("No file " + name);
}

}  // namespace htmlview
