#include "core/expr/bases2_36.h"

#include <cmath>

#include "core/expr/ErrorMessages.h"

namespace vorla {
namespace {

std::string& DigitErrorState() {
  static std::string message;
  return message;
}

long double IntegerPower(long double base, long long exponent) {
  unsigned long long n = static_cast<unsigned long long>(exponent < 0 ? -exponent : exponent);
  long double result = 1;
  while (n != 0) {
    if (n & 1) result *= base;
    n >>= 1;
    if (n != 0) base *= base;
  }
  return exponent < 0 ? 1 / result : result;
}

long double LogInBase(int base, long double x) { return std::log2(std::fabs(x)) / std::log2(static_cast<long double>(base)); }

}  // namespace

char DigitChar(int digit) { return static_cast<char>(digit < 10 ? '0' + digit : 'A' + digit - 10); }

int DigitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'Z') return c - 'A' + 10;
  if (c >= 'a' && c <= 'z') return c - 'a' + 10;
  DigitErrorState() = msg::kBadDigit;
  return 0;
}

const std::string& DigitError() { return DigitErrorState(); }

std::string IntToBase(int base, std::int64_t n) {
  // Magnitude as unsigned, so the most negative value has digits too.
  std::uint64_t magnitude = n < 0 ? 0 - static_cast<std::uint64_t>(n) : static_cast<std::uint64_t>(n);
  std::string digits;
  do {
    digits.insert(digits.begin(), DigitChar(static_cast<int>(magnitude % base)));
    magnitude /= base;
  } while (magnitude != 0);
  if (n < 0) digits.insert(digits.begin(), '-');
  return digits;
}

std::string FixedToBase(int base, long double x) {
  long double fraction = std::fabs(x) - std::trunc(std::fabs(x));
  std::string digits;
  for (int i = 0; i < Digits; ++i) {
    fraction *= base;
    const long double whole = std::trunc(fraction);
    digits += DigitChar(static_cast<int>(whole));
    fraction -= whole;
  }
  int carry = 0;
  if (fraction >= 0.5L) {
    std::size_t i = digits.size();
    for (;;) {
      if (i == 0) {
        carry = 1;
        break;
      }
      --i;
      const int digit = DigitValue(digits[i]) + 1;
      if (digit < base) {
        digits[i] = DigitChar(digit);
        break;
      }
      digits[i] = '0';
    }
  }
  if (TrimZeros) {
    const std::size_t last = digits.find_last_not_of('0');
    digits.erase(last == std::string::npos ? 0 : last + 1);
  }
  // Rounding carries away from zero.
  const std::int64_t whole = static_cast<std::int64_t>(std::trunc(x)) + (x > 0 ? carry : -carry);
  std::string text = IntToBase(base, whole);
  if (whole == 0 && x < 0) text.insert(text.begin(), '-');
  return digits.empty() ? text : text + "." + digits;
}

std::string SciToBase(int base, long double x) {
  const long long exponent = static_cast<long long>(std::ceil(LogInBase(base, x)));
  const long double mantissa = x / IntegerPower(base, exponent);
  std::string text = FixedToBase(base, mantissa);
  if (exponent != 0) text.append("e").append(IntToBase(base, exponent));
  return text;
}

std::string FloatToBase(int base, long double x) {
  if (x == 0) return "0";
  std::string text = Digits >= std::fabs(LogInBase(base, x)) ? FixedToBase(base, x) : SciToBase(base, x);
  if (base != 10) text += " [" + std::to_string(base) + "]";
  return text;
}

}  // namespace vorla
