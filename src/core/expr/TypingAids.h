#pragma once
// Typing aids of the expression fields: keypad pairs that stand for one
// operator character, and where a typed letter starts a name.

#include <cstddef>
#include <optional>
#include <string_view>

namespace vorla {

// The character that `before` becomes when `typed` follows it on the numeric
// keypad: "//" root "\", "/*" "(", "**" power "^", "*/" ")", ".." "|",
// "--" "%". Nothing for any other pair.
std::optional<char> KeypadPair(char before, char typed);

// Whether a letter typed with the caret after `caret` characters of `text`
// starts a name: not when it continues a word (a letter stands just before a
// caret that is not at the end, a lone first character not counting), and not
// inside a {comment} (more "{" than "}" before the caret).
bool LetterStartsName(std::string_view text, std::size_t caret);

// "A" to "Z" and "a" to "z" only.
bool IsNameLetter(char c);

}  // namespace vorla
