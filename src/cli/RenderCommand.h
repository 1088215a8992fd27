#pragma once
// "render": a plot document calculated at a chosen size and written as a
// picture file.

#include "cli/CliCommand.h"

namespace vorla::cli {

int RunRender(Args args);

}  // namespace vorla::cli
