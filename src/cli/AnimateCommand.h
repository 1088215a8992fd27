#pragma once
// "animate": the window's palette animation over one whole turn, written as
// a looping GIF.

#include "cli/CliCommand.h"

namespace vorla::cli {

int RunAnimate(Args args);

}  // namespace vorla::cli
