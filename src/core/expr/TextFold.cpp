#include "core/expr/TextFold.h"

namespace vorla {

char FoldUpper(char c) {
  const auto u = static_cast<unsigned char>(c);
  if (u >= 'a' && u <= 'z') return static_cast<char>(u - 32);
  // Accented small letters of Windows-1252, but not the division sign.
  if (u >= 0xE0 && u <= 0xFE && u != 0xF7) return static_cast<char>(u - 32);
  return c;
}

std::string ToUpperText(std::string_view text) {
  std::string result(text);
  for (char& c : result) c = FoldUpper(c);
  return result;
}

int CompareFolded(std::string_view a, std::string_view b) {
  const std::size_t n = a.size() < b.size() ? a.size() : b.size();
  for (std::size_t i = 0; i < n; ++i) {
    const auto x = static_cast<unsigned char>(FoldUpper(a[i]));
    const auto y = static_cast<unsigned char>(FoldUpper(b[i]));
    if (x != y) return x < y ? -1 : 1;
  }
  return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

bool EqualFolded(std::string_view a, std::string_view b) {
  return a.size() == b.size() && CompareFolded(a, b) == 0;
}

std::string ReplaceFolded(std::string_view text, std::string_view name, std::string_view with) {
  std::string result;
  std::size_t i = 0;
  while (i < text.size()) {
    if (!name.empty() && i + name.size() <= text.size() &&
        EqualFolded(text.substr(i, name.size()), name)) {
      result += with;
      i += name.size();
    } else {
      result += text[i++];
    }
  }
  return result;
}

}  // namespace vorla
