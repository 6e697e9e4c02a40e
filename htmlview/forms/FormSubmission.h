#pragma once

#include <string>
#include <vector>

namespace htmlview {

// What a submitted form hands to the viewer: where to, how, and its entries, each
// "NAME=VALUE" in the order of the form's controls.
struct TFormSubmission {
  std::string Action;
  std::string Target;
  std::string EncType;
  std::string Method;
  std::vector<std::string> Results;
};

}  // namespace htmlview
