#pragma once
// The usage of a program or command, generated at build time from its usage
// file (src/cli/usage/, src/app/vorlascope.txt), which the man pages are
// made from too.

#include <string>
#include <string_view>

namespace vorla::cli {

struct Usage {
  std::string_view name;
  std::string_view synopsis;     // the arguments after the name
  std::string_view description;  // lines ending in a line feed
  std::string_view options;      // "  --option VALUE" lines, each followed by its text
};

// The --help text: "Uso: PROGRAM SYNOPSIS", the description, `more` (a
// further part, such as a list of commands) and the options.
inline std::string UsageText(std::string_view program, const Usage& usage, std::string_view more = {}) {
  std::string text = "Uso: ";
  for (std::string_view part : {program, std::string_view(" "), usage.synopsis, std::string_view("\n\n"),
                                usage.description})
    text += part;
  if (!more.empty()) (text += '\n') += more;
  if (!usage.options.empty()) (text += "\nOpciones:\n") += usage.options;
  return text;
}

}  // namespace vorla::cli
