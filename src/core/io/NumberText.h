#pragma once
// Locale-independent number text: "." is the decimal separator whatever the
// user's locale says.

#include <charconv>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vorla {

// printf's "%.{digits}g" in the C locale. The default of 15 digits is what a
// plain "%g" means throughout this program.
std::string FormatG(double value, int digits = 15);

// Without the blanks and tabs at either end.
std::string_view TrimBlanks(std::string_view text);

// A whole finite decimal number ("-1.5", "2e-3", "+7"), blanks around it
// allowed; anything else, "inf" and "nan" included, gives nothing.
std::optional<double> ParseDouble(std::string_view text);

// A decimal integer within 32 bits ("-12", "+7"), blanks around it allowed.
std::optional<std::int32_t> ParseInteger(std::string_view text);

// Text made only of hexadecimal digits, either case, whose value fits 32
// bits; no sign, prefix or blanks. Inline, so that modules reading hex need
// not link the io module.
inline std::optional<std::uint32_t> ParseHex(std::string_view text) {
  std::uint32_t value = 0;
  const auto result = std::from_chars(text.data(), text.data() + text.size(), value, 16);
  if (text.empty() || result.ec != std::errc() || result.ptr != text.data() + text.size())
    return std::nullopt;
  return value;
}

}  // namespace vorla
