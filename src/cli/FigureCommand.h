#pragma once
// vorlascope-cli figure: the picture framed with its axes' ticks, a colour
// bar and the typeset formula, as SVG or PDF.

#include "cli/CliCommand.h"

namespace vorla::cli {

int RunFigure(Args args);

}  // namespace vorla::cli
