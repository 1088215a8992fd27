#pragma once
// Typing aids of the expression fields: keypad pairs that stand for one
// operator character, where a typed letter starts a name, and the template
// characters that typing the same character moves over.

#include <cstddef>
#include <optional>
#include <string_view>
#include <vector>

namespace vorla {

// The character that `before` becomes when `typed` follows it on the numeric
// keypad: "//" root "\", "/*" "(", "**" power "^", "*/" ")", ".." "|",
// "--" "%". Nothing for any other pair.
std::optional<char> KeypadPair(char before, char typed);

// Whether a letter typed with the caret after `caret` characters of `text`
// starts a name: not when it continues a word (a letter stands just before a
// caret that is not at the end, a lone first character not counting), not
// inside a {comment} (more "{" than "}" before the caret) and not inside a
// 'message' (an odd number of "'" before the caret).
bool LetterStartsName(std::string_view text, std::size_t caret);

// "A" to "Z" and "a" to "z" only.
bool IsNameLetter(char c);

// The "," and ")" of argument templates the picker put into a field, and the
// "{255}" comments that stand in for further arguments. Typing "," or ")"
// just before one of them moves over it, so that a user who types every
// character gets exactly the text typed; characters the user typed are never
// moved over.
class TemplateMarks {
 public:
  // The field's text went from `before` to `after`: marks in the unchanged
  // head stay, those in the unchanged tail move with it, those in the
  // changed middle go.
  void Follow(std::string_view before, std::string_view after);
  // `inserted` now stands at `at` of the text: its "," and ")" and the "{"
  // of its comments are marks.
  void MarkTemplate(std::size_t at, std::string_view inserted);
  // Typing `typed` at `caret` of `text`: how many characters the caret moves
  // over instead of inserting it. 1 over a marked "," or ")"; for ")" also
  // over a marked "{N}" comment just before a marked ")", which the caller
  // then removes; 0 when the character goes in as typed.
  std::size_t TypedOver(std::string_view text, std::size_t caret, char typed) const;
  // The user typed the mark at `position` (after moving over it).
  void Unmark(std::size_t position);

  bool IsMarked(std::size_t position) const;

 private:
  std::vector<std::size_t> marks_;  // ascending positions in the text
};

}  // namespace vorla
