#pragma once
// "eval" and "solve": one expression compiled in an environment like the
// plotted function's, evaluated once.

#include "cli/CliCommand.h"

namespace vorla::cli {

int RunEval(Args args);
int RunSolve(Args args);

}  // namespace vorla::cli
