#pragma once
// "formula": the typeset formula of an expression written as SVG or PNG.

#include "cli/CliCommand.h"

namespace vorla::cli {

int RunFormula(Args args);

}  // namespace vorla::cli
