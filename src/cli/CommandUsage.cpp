#include "cli/CommandUsage.h"

#include <algorithm>
#include <iterator>

namespace vorla::cli {
namespace {

// Written by the build from src/cli/usage/.
constexpr Usage kToolUsage =
#include "cli/ToolUsage.inc"
    ;
constexpr Usage kCommandUsages[] = {
#include "cli/CommandUsages.inc"
};

}  // namespace

const Usage& ToolUsage() { return kToolUsage; }

const Usage* FindCommandUsage(std::string_view name) {
  const auto found = std::find_if(std::begin(kCommandUsages), std::end(kCommandUsages),
                                  [name](const Usage& usage) { return usage.name == name; });
  return found != std::end(kCommandUsages) ? &*found : nullptr;
}

}  // namespace vorla::cli
