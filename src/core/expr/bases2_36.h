#pragma once
// Number text in any base from 2 to 36, as the formula typesetter prints
// numeric literals: fixed notation for moderate magnitudes, otherwise a
// mantissa below 1 with an exponent; 16 fractional digits, rounded, trailing
// zeros removed; a base other than 10 is marked (" [16]").

#include <cstdint>
#include <string>

namespace vorla {

inline constexpr int Digits = 16;       // fractional digits; also the fixed/exponent threshold
inline constexpr bool TrimZeros = true;

char DigitChar(int digit);  // 0..9 then A..Z
// "0".."9", "A".."Z" and "a".."z"; another character records
// "Error de sintaxis (Caracter no reconocido)" and gives 0.
int DigitValue(char c);
// The message of the last unreadable digit, empty when there was none.
const std::string& DigitError();

std::string IntToBase(int base, std::int64_t n);
std::string FixedToBase(int base, long double x);
std::string SciToBase(int base, long double x);
std::string FloatToBase(int base, long double x);

}  // namespace vorla
