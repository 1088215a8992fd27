#include "core/expr/TypingAids.h"

#include <algorithm>

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
  bool inMessage = false;
  for (std::size_t i = 0; i < caret; ++i) {
    if (text[i] == '{') ++depth;
    if (text[i] == '}') --depth;
    if (text[i] == '\'') inMessage = !inMessage;
  }
  return depth < 1 && !inMessage;
}

void TemplateMarks::Follow(std::string_view before, std::string_view after) {
  const std::size_t shortest = std::min(before.size(), after.size());
  std::size_t head = 0;
  while (head < shortest && before[head] == after[head]) ++head;
  std::size_t tail = 0;
  while (tail < shortest - head && before[before.size() - 1 - tail] == after[after.size() - 1 - tail]) ++tail;
  const std::size_t tailStart = before.size() - tail;
  std::vector<std::size_t> kept;
  for (std::size_t mark : marks_) {
    if (mark < head) kept.push_back(mark);
    else if (mark >= tailStart) kept.push_back(mark - before.size() + after.size());
  }
  marks_ = std::move(kept);
}

void TemplateMarks::MarkTemplate(std::size_t at, std::string_view inserted) {
  for (std::size_t i = 0; i < inserted.size(); ++i)
    if ((inserted[i] == ',' || inserted[i] == ')' || inserted[i] == '{') && !IsMarked(at + i))
      marks_.insert(std::upper_bound(marks_.begin(), marks_.end(), at + i), at + i);
}

std::size_t TemplateMarks::TypedOver(std::string_view text, std::size_t caret, char typed) const {
  if ((typed != ',' && typed != ')') || caret >= text.size() || !IsMarked(caret)) return 0;
  if (text[caret] == typed) return 1;
  if (typed != ')' || text[caret] != '{') return 0;
  const std::size_t close = text.find('}', caret);
  if (close == std::string_view::npos || close + 1 >= text.size() || text[close + 1] != ')' || !IsMarked(close + 1))
    return 0;
  return close + 2 - caret;
}

void TemplateMarks::Unmark(std::size_t position) {
  const auto found = std::lower_bound(marks_.begin(), marks_.end(), position);
  if (found != marks_.end() && *found == position) marks_.erase(found);
}

bool TemplateMarks::IsMarked(std::size_t position) const {
  return std::binary_search(marks_.begin(), marks_.end(), position);
}

}  // namespace vorla
