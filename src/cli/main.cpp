// vorlascope-cli: the plotter's engine from the command line.

#include <algorithm>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "cli/AnimateCommand.h"
#include "cli/CliCommand.h"
#include "cli/CommandUsage.h"
#include "cli/EvalCommand.h"
#include "cli/FigureCommand.h"
#include "cli/FormulaCommand.h"
#include "cli/RenderCommand.h"

namespace vorla::cli {
namespace {

constexpr int kUsageError = 1;

std::vector<CliCommand> Commands() {
  return {
      {"animate", RunAnimate},
      {"eval", RunEval},
#ifdef VORLA_FIGURE_COMMAND
      {"figure", RunFigure},
#endif
#ifdef VORLA_FORMULA_COMMAND
      {"formula", RunFormula},
#endif
      {"render", RunRender},
      {"solve", RunSolve},
  };
}

void Print(const std::string& text) { std::fputs(text.c_str(), stdout); }

void PrintHelp() {
  std::string commands = "Órdenes:\n";
  for (const CliCommand& command : Commands())
    if (const Usage* usage = FindCommandUsage(command.name))
      commands += "  " + std::string(usage->name) + " " + std::string(usage->synopsis) + "\n";
  Print(UsageText("vorlascope-cli", ToolUsage(), commands));
}

// "--help" anywhere before a "--" asks for the command's usage.
bool AsksForHelp(Args args) {
  const auto end = std::find(args.begin(), args.end(), "--");
  return std::any_of(args.begin(), end, [](std::string_view arg) { return arg == "--help" || arg == "-h"; });
}

int Run(const CliCommand& command, Args args) {
  if (!AsksForHelp(args)) return command.run(args);
  const Usage* usage = FindCommandUsage(command.name);
  if (usage == nullptr) return kUsageError;
  Print(UsageText("vorlascope-cli " + std::string(command.name), *usage));
  return 0;
}

}  // namespace
}  // namespace vorla::cli

int main(int argc, char** argv) {
  using namespace vorla::cli;
  const std::vector<std::string_view> args(argv + 1, argv + argc);
  if (args.empty() || args[0] == "--help" || args[0] == "-h") {
    PrintHelp();
    return args.empty() ? kUsageError : 0;
  }
  if (args[0] == "--version") {
    std::printf("vorlascope-cli %s\n", VORLA_VERSION);
    return 0;
  }
  for (const CliCommand& command : Commands())
    if (command.name == args[0]) return Run(command, Args(args).subspan(1));
  std::fprintf(stderr, "vorlascope-cli: orden desconocida «%.*s» (véase vorlascope-cli --help)\n",
               static_cast<int>(args[0].size()), args[0].data());
  return kUsageError;
}
