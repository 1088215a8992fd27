#pragma once
// Locale-independent number text: "." is the decimal separator whatever the
// user's locale says.

#include <optional>
#include <string>
#include <string_view>

namespace vorla {

// printf's "%.{digits}g" in the C locale. The default of 15 digits is what a
// plain "%g" means throughout this program.
std::string FormatG(double value, int digits = 15);

// A whole finite decimal number ("-1.5", "2e-3", "+7"), blanks around it
// allowed; anything else, "inf" and "nan" included, gives nothing.
std::optional<double> ParseDouble(std::string_view text);

}  // namespace vorla
