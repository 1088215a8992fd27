#pragma once
// The usages of vorlascope-cli and of each of its commands.

#include <string_view>

#include "cli/Usage.h"

namespace vorla::cli {

// vorlascope-cli's own usage: its synopsis, description and global options.
const Usage& ToolUsage();

// The usage of the command `name`, or nothing for a name without a usage file.
const Usage* FindCommandUsage(std::string_view name);

}  // namespace vorla::cli
