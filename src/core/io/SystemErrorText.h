#pragma once
// Spanish wording of the system's error numbers, for messages about files:
// the C library's own texts follow the system's language, not the program's.

#include <string>

namespace vorla {

// Core text in lower case, to follow "...: " in a message; an errno value
// without a wording of its own gives a generic text with its number.
std::string SystemErrorText(int errorNumber);

}  // namespace vorla
