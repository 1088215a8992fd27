#include "core/expr/TypingAids.h"

namespace vorla {

std::optional<char> KeypadPair(char before, char typed) {
  struct Pair {
    char before;
    char typed;
    char result;
  };
  static constexpr Pair kPairs[] = {
      {'/', '/', '\\'}, {'*', '/', ')'}, {'*', '*', '^'}, {'/', '*', '('}, {'.', '.', '|'}, {'-', '-', '%'},
  };
  for (const Pair& pair : kPairs)
    if (pair.before == before && pair.typed == typed) return pair.result;
  return std::nullopt;
}

bool IsNameLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

bool LetterStartsName(std::string_view text, std::size_t caret) {
  if (caret > text.size()) caret = text.size();
  // The character before the caret counts only from the second position on.
  if (caret < text.size() && caret >= 2 && IsNameLetter(text[caret - 1])) return false;
  int depth = 0;
  for (std::size_t i = 0; i < caret; ++i) {
    if (text[i] == '{') ++depth;
    if (text[i] == '}') --depth;
  }
  return depth < 1;
}

}  // namespace vorla
