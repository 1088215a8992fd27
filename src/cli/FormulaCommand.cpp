#include "cli/FormulaCommand.h"

#include <cstdio>
#include <optional>
#include <string>

#include "cli/EvalCommand.h"
#include "core/expr/Expresion.h"
#include "core/expr/Typeset.h"
#include "core/io/NumberText.h"
#include "core/plot/PlotExpressions.h"
#include "gui/formula/FormulaFile.h"

namespace vorla::cli {
namespace {

struct Options {
  std::string expression;
  std::string output;
  int size = kFormulaSize;
};

// Exit statuses, the first two as "eval" has them.
constexpr int kUsageError = 1;
constexpr int kCompileError = 2;
constexpr int kWriteError = 3;

// Type sizes are bytes; below 4 no text would show.
constexpr int kMinSize = 4;
constexpr int kMaxSize = 255;

std::optional<Options> ParseOptions(Args args) {
  Options options;
  bool haveExpression = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string_view arg = args[i];
    if (arg != "-o" && arg != "--size") {
      if (haveExpression) {
        std::fprintf(stderr, "vorlascope-cli: se dio más de una expresión\n");
        return std::nullopt;
      }
      options.expression = std::string(arg);
      haveExpression = true;
      continue;
    }
    if (i + 1 >= args.size()) {
      std::fprintf(stderr, "vorlascope-cli: falta el valor de %.*s\n", static_cast<int>(arg.size()), arg.data());
      return std::nullopt;
    }
    const std::string_view value = args[++i];
    if (arg == "-o") {
      options.output = std::string(value);
      continue;
    }
    const std::optional<std::int32_t> size = ParseInteger(value);
    if (!size || *size < kMinSize || *size > kMaxSize) {
      std::fprintf(stderr, "vorlascope-cli: --size pide de %d a %d\n", kMinSize, kMaxSize);
      return std::nullopt;
    }
    options.size = *size;
  }
  if (!haveExpression || options.output.empty()) {
    std::fprintf(stderr, "vorlascope-cli: falta %s (véase --help)\n", !haveExpression ? "la expresión" : "-o SALIDA");
    return std::nullopt;
  }
  return options;
}

}  // namespace

int RunFormula(Args args) {
  const std::optional<Options> options = ParseOptions(args);
  if (!options) return kUsageError;
  PlotExpressions plot;
  if (!CompileFunction(plot, options->expression)) return kCompileError;
  const FormulaFileResult result =
      WriteFormulaFile(*plot.Expression(PlotExpressions::kFunc).Root(), options->size, options->output);
  switch (result.status) {
    case FormulaFileStatus::kWritten:
      return 0;
    case FormulaFileStatus::kUnknownFormat:
      std::fprintf(stderr, "vorlascope-cli: SALIDA debe terminar en .svg o .png\n");
      return kUsageError;
    case FormulaFileStatus::kTooLarge:
    case FormulaFileStatus::kWriteFailed:
      break;
  }
  std::fprintf(stderr, "vorlascope-cli formula: %s\n", result.message.c_str());
  return kWriteError;
}

}  // namespace vorla::cli
