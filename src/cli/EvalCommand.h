#pragma once
// "eval" and "solve": one expression compiled in an environment like the
// plotted function's, evaluated once.

#include <string_view>

#include "cli/CliCommand.h"

namespace vorla {
class PlotExpressions;
}

namespace vorla::cli {

// Compiles `text` (UTF-8) as the plotted function of `plot`, where the view
// values are 0 outside a plot; on failure prints "compile error CODE: TEXT"
// and answers false.
bool CompileFunction(PlotExpressions& plot, std::string_view text);

int RunEval(Args args);
int RunSolve(Args args);

}  // namespace vorla::cli
