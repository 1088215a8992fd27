#include "cli/EvalCommand.h"

#include <cmath>
#include <cstdio>
#include <optional>
#include <string>

#include "core/expr/ExprBase.h"
#include "core/expr/Expresion.h"
#include "core/expr/FloatErrors.h"
#include "core/io/NumberText.h"
#include "core/io/TextEncoding.h"
#include "core/plot/PlotExpressions.h"

namespace vorla::cli {
namespace {

struct Options {
  std::optional<std::string> expression;
  float x = 0;
  float y = 0;
  std::optional<std::string> variable;  // --for
  std::optional<float> target;          // --target
};

// EXPR is the first argument that is not an option; "--" ends the options,
// and option values may be negative numbers ("--x -1.5").
std::optional<Options> ParseOptions(Args args, bool solving) {
  Options options;
  bool optionsEnded = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string_view arg = args[i];
    if (!optionsEnded && arg == "--") {
      optionsEnded = true;
      continue;
    }
    const bool isOption = !optionsEnded && arg.size() > 2 && arg.substr(0, 2) == "--";
    if (!isOption) {
      if (options.expression) {
        std::fprintf(stderr, "vorlascope-cli: se dio más de una expresión\n");
        return std::nullopt;
      }
      options.expression = std::string(arg);
      continue;
    }
    if (i + 1 >= args.size()) {
      std::fprintf(stderr, "vorlascope-cli: falta el valor de %.*s\n", static_cast<int>(arg.size()), arg.data());
      return std::nullopt;
    }
    const std::string_view value = args[++i];
    if (solving && arg == "--for") {
      options.variable = Utf8ToCp1252(value);
      continue;
    }
    const bool known = arg == "--x" || arg == "--y" || (solving && arg == "--target");
    const std::optional<double> number = ParseDouble(value);
    // A value no float holds would reach the tree as an infinity.
    if (!known || !number || !std::isfinite(static_cast<float>(*number))) {
      std::fprintf(stderr, "vorlascope-cli: opción o valor no válido: %.*s %.*s\n", static_cast<int>(arg.size()),
                   arg.data(), static_cast<int>(value.size()), value.data());
      return std::nullopt;
    }
    const float single = static_cast<float>(*number);
    if (arg == "--x") options.x = single;
    else if (arg == "--y") options.y = single;
    else options.target = single;
  }
  if (!options.expression || (solving && (!options.variable || !options.target))) {
    std::fprintf(stderr, "vorlascope-cli: falta %s (véase --help)\n",
                 !options.expression ? "la expresión" : "--for o --target");
    return std::nullopt;
  }
  return options;
}

void PrintLine(const std::string& text) { std::printf("%s\n", Cp1252ToUtf8(text).c_str()); }

std::string ValueText(float value) {
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%.9g", static_cast<double>(value));
  return buffer;
}

bool CompileIn(PlotExpressions& plot, const Options& options) {
  plot.SetRowY(options.y);
  plot.SetColumnX(options.x);
  return CompileFunction(plot, *options.expression);
}

}  // namespace

bool CompileFunction(PlotExpressions& plot, std::string_view text) {
  TExpresion& expression = plot.Expression(PlotExpressions::kFunc);
  // A fresh expression already holds the empty text, so an empty EXPR would
  // not be compiled; a blank preprocesses to the same empty text.
  const std::string coreText = Utf8ToCp1252(text);
  expression.SetText(coreText.empty() ? " " : coreText);
  if (expression.Compiled()) return true;
  PrintLine("compile error " + std::to_string(expression.ErrorCode()) + ": " + expression.ErrorText());
  return false;
}

int RunEval(Args args) {
  const std::optional<Options> options = ParseOptions(args, false);
  if (!options) return 1;
  PlotExpressions plot;
  if (!CompileIn(plot, *options)) return 2;
  TExpresion& expression = plot.Expression(PlotExpressions::kFunc);
  const float value = expression.GetValue();
  if (expression.HasError()) {
    PrintLine("error " + std::to_string(expression.ErrorCode()) + ": " + expression.ErrorText());
    return 3;
  }
  PrintLine(ValueText(value));
  return 0;
}

int RunSolve(Args args) {
  const std::optional<Options> options = ParseOptions(args, true);
  if (!options) return 1;
  PlotExpressions plot;
  if (!CompileIn(plot, *options)) return 2;
  TExpresion& expression = plot.Expression(PlotExpressions::kFunc);
  const TFunctionEntry* entry = expression.Functions().Find(*options->variable);
  if (entry == nullptr || entry->Maker->Node != NodeKind::kVariable) {
    PrintLine("solve error: " + *options->variable + " no es una variable");
    return 4;
  }
  try {
    const NodePtr solved = Solve(*expression.Root(), std::make_shared<TNum>(*options->target), entry->Maker->Variable);
    PrintLine(ValueText(solved->Evaluate()));
    return 0;
  } catch (const EDespejar& refusal) {
    PrintLine("solve error: " + refusal.Message());
    return 4;
  } catch (const std::exception& failure) {
    const ExprError code = EvaluationErrorCode(failure);
    PrintLine("error " + std::to_string(CodeOf(code)) + ": " +
              (code == ExprError::kMessage ? std::string(failure.what()) : TExpresion::ErrorMessage(CodeOf(code))));
    return 3;
  }
}

}  // namespace vorla::cli
