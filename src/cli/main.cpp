// vorlascope-cli: the plotter's engine from the command line.

#include <cstdio>
#include <string_view>
#include <vector>

#include "cli/AnimateCommand.h"
#include "cli/CliCommand.h"
#include "cli/EvalCommand.h"
#include "cli/FigureCommand.h"
#include "cli/FormulaCommand.h"
#include "cli/RenderCommand.h"

namespace vorla::cli {
namespace {

std::vector<CliCommand> Commands() {
  return {
      {"animate", "animate [DOC.vlx|PICTURE] -o OUT.gif [--size WxH] [--speed N]   the palette cycle as a looping GIF", RunAnimate},
      {"eval", "eval EXPR [--x V] [--y V]      evaluate an expression once", RunEval},
#ifdef VORLA_FIGURE_COMMAND
      {"figure", "figure [DOC.vlx|PICTURE] -o OUT.svg|OUT.pdf [--size WxH]   the picture in a frame with its axes' ticks, a colour bar and the formula", RunFigure},
#endif
#ifdef VORLA_FORMULA_COMMAND
      {"formula", "formula EXPR -o OUT.svg|OUT.png [--size N]   typeset EXPR (type size N, 20 by default)", RunFormula},
#endif
      {"render", "render [DOC.vlx|PICTURE] -o OUT [--size WxH] [--gray] [--quality Q] [--progressive] [--mirror h|v|hv] [--threads N]", RunRender},
      {"solve", "solve EXPR --for NAME --target T [--x V] [--y V]   solve EXPR = T for NAME", RunSolve},
  };
}

void PrintHelp() {
  std::printf("Usage: vorlascope-cli COMMAND [ARGS...]\n\nCommands:\n");
  for (const CliCommand& command : Commands())
    std::printf("  %.*s\n", static_cast<int>(command.usage.size()), command.usage.data());
  std::printf("\nOptions:\n  --help     show this text\n  --version  show the version\n");
}

}  // namespace
}  // namespace vorla::cli

int main(int argc, char** argv) {
  using namespace vorla::cli;
  const std::vector<std::string_view> args(argv + 1, argv + argc);
  if (args.empty() || args[0] == "--help" || args[0] == "-h") {
    PrintHelp();
    return args.empty() ? 1 : 0;
  }
  if (args[0] == "--version") {
    std::printf("vorlascope-cli %s\n", VORLA_VERSION);
    return 0;
  }
  for (const CliCommand& command : Commands())
    if (command.name == args[0]) return command.run(Args(args).subspan(1));
  std::fprintf(stderr, "vorlascope-cli: unknown command '%.*s' (see --help)\n",
               static_cast<int>(args[0].size()), args[0].data());
  return 1;
}
