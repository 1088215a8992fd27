#pragma once
// A sub-command of vorlascope-cli. Arguments arrive as UTF-8; text printed
// from the core goes out through Cp1252ToUtf8.

#include <span>
#include <string_view>

namespace vorla::cli {

using Args = std::span<const std::string_view>;

// Its usage, printed by --help, is its file in src/cli/usage/ (NAME.txt).
struct CliCommand {
  std::string_view name;
  int (*run)(Args args);  // args exclude the command name; returns the exit status
};

}  // namespace vorla::cli
