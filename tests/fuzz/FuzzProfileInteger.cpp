// The settings file's integer text on any text: plain decimal and hexadecimal texts read as
// the C library reads them, everything the program writes reads back, and nothing else
// crashes.
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <string>

#include "ProfileInteger.h"

namespace pavina::settings {
namespace {
bool AllOf(const std::string& text, std::size_t from, const char* allowed) {
  return from < text.size() && text.find_first_not_of(allowed, from) == std::string::npos;
}
}  // namespace
}  // namespace pavina::settings

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace pavina::settings;
  const std::string text(reinterpret_cast<const char*>(data), size);
  const std::optional<std::int32_t> value = ParseProfileInteger(text);
  if (ProfileTextToInteger(text, 77) != value.value_or(77)) std::abort();

  std::size_t digits = text.find_first_not_of(' ');
  if (digits != std::string::npos && (text[digits] == '+' || text[digits] == '-')) ++digits;
  if (digits != std::string::npos && AllOf(text, digits, "0123456789") &&
      text.find('\0') == std::string::npos) {
    errno = 0;
    const long long expected = std::strtoll(text.c_str(), nullptr, 10);
    const bool fits = errno == 0 && expected >= INT32_MIN && expected <= INT32_MAX;
    if (fits != value.has_value() || (fits && *value != expected)) std::abort();
  }
  // "$" and one to eight hexadecimal digits: a 32-bit pattern.
  if (size >= 2 && size <= 9 && text[0] == '$' && AllOf(text, 1, "0123456789abcdefABCDEF")) {
    const auto expected = static_cast<std::int32_t>(std::strtoul(text.c_str() + 1, nullptr, 16));
    if (!value || *value != expected) std::abort();
  }

  if (size >= 4) {
    std::int32_t n;
    std::memcpy(&n, data, sizeof n);
    if (ParseProfileInteger(IntegerToProfileText(n)) != n) std::abort();
  }
  return 0;
}
