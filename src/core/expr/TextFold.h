#pragma once
// Letter case of Windows-1252 text, for names that compare without regard to it.

#include <string>
#include <string_view>

namespace vorla {

char FoldUpper(char c);
std::string ToUpperText(std::string_view text);
// <0, 0 or >0 as a and b compare with letter case ignored.
int CompareFolded(std::string_view a, std::string_view b);
bool EqualFolded(std::string_view a, std::string_view b);
// Every occurrence of `name` in `text`, letter case ignored, left to right.
std::string ReplaceFolded(std::string_view text, std::string_view name, std::string_view with);

}  // namespace vorla
