#pragma once
// Text inside the core is 8-bit Windows-1252; these convert at the boundaries
// (files, the terminal, Qt strings).

#include <string>
#include <string_view>

namespace vorla {

bool IsValidUtf8(std::string_view bytes);

// Lossless both ways: the five code points that Windows-1252 leaves undefined
// map to the C1 controls of the same number, as the system converters do.
std::string Cp1252ToUtf8(std::string_view text);

// Characters that Windows-1252 cannot hold become '?'. Invalid UTF-8 bytes are
// taken as Windows-1252 characters themselves.
std::string Utf8ToCp1252(std::string_view text);

// Contents of a text file as core text, without any UTF-8 byte-order mark:
// UTF-8 when the rest is valid UTF-8, otherwise Windows-1252 as it stands.
std::string DecodeFileText(std::string_view bytes);

}  // namespace vorla
