// Expression language: GetValue per pixel over a row beside the native C++ of
// the same formula, and compile time of the worst text shapes.

#include <benchmark/benchmark.h>

#include <cmath>
#include <string>

#include "core/expr/Expresion.h"
#include "core/plot/PlotExpressions.h"

namespace vorla {
namespace {

constexpr int kRow = 1000;

const char* const kFormulas[] = {"Sen(x+y)+r+w", "x^2+y^2", "Si(x>0,ln(x),0)*cos(y)", "Sen(x*y)/(1+r)"};

float Native(int formula, float x, float y) {
  switch (formula) {
    case 0:
      return std::sin(x + y) + std::hypot(x, y) + std::atan2(y, x);
    case 1:
      return x * x + y * y;
    case 2:
      return (x > 0 ? std::log(x) : 0.0f) * std::cos(y);
    default:
      return std::sin(x * y) / (1 + std::hypot(x, y));
  }
}

// One row of the picture: y assigned once, x per pixel.
// Evaluates `text` as the function over one row per iteration.
void EvaluateRows(benchmark::State& state, const std::string& text, const std::string& label) {
  PlotExpressions plot;
  TExpresion& expression = plot.Expression(PlotExpressions::kFunc);
  expression.SetText(text);
  for (auto _ : state) {
    plot.SetRowY(0.75f);
    for (int i = 0; i < kRow; ++i) {
      plot.SetColumnX(-3.0f + 6.0f * i / kRow);
      benchmark::DoNotOptimize(expression.GetValue());
    }
  }
  state.SetItemsProcessed(state.iterations() * kRow);
  state.SetLabel(label);
}

void BM_GetValueRow(benchmark::State& state) {
  EvaluateRows(state, kFormulas[state.range(0)], kFormulas[state.range(0)]);
}
BENCHMARK(BM_GetValueRow)->DenseRange(0, 3);

void BM_NativeRow(benchmark::State& state) {
  const int formula = static_cast<int>(state.range(0));
  for (auto _ : state) {
    for (int i = 0; i < kRow; ++i) {
      float x = -3.0f + 6.0f * i / kRow;
      benchmark::DoNotOptimize(x);
      benchmark::DoNotOptimize(Native(formula, x, 0.75f));
    }
  }
  state.SetItemsProcessed(state.iterations() * kRow);
  state.SetLabel(kFormulas[formula]);
}
BENCHMARK(BM_NativeRow)->DenseRange(0, 3);

// A row where every pixel fails (ln of a negative row value).
void BM_GetValueFailingRow(benchmark::State& state) {
  PlotExpressions plot;
  TExpresion& expression = plot.Expression(PlotExpressions::kFunc);
  expression.SetText("ln(y)+x");
  for (auto _ : state) {
    plot.SetRowY(-1.0f);
    for (int i = 0; i < kRow; ++i) {
      plot.SetColumnX(static_cast<float>(i));
      benchmark::DoNotOptimize(expression.GetValue());
    }
  }
  state.SetItemsProcessed(state.iterations() * kRow);
}
BENCHMARK(BM_GetValueFailingRow);

std::string Repeat(const std::string& piece, int n, const std::string& first = {}) {
  std::string text = first;
  for (int i = 0; i < n; ++i) text.append(piece);
  return text;
}

// Texts near the length limit built to make the trial-split parser work hard.
std::string WorstShape(int shape) {
  switch (shape) {
    case 0:
      return Repeat("(", 1999) + "x" + Repeat(")", 1999);  // deep parentheses
    case 1:
      return Repeat("+x", 1999, "x");  // long sum
    case 2:
      return Repeat("(x+", 999) + "x" + Repeat(")", 999);  // nested sums
    case 3:
      return Repeat("(x)+", 998) + "max(1)";  // every split fails at its last term
    case 4:
      return Repeat("^x", 1999, "x");  // long power chain
    case 5:
      return Repeat("<x", 1999, "x");  // long comparison chain
    case 6:
      return Repeat("+1", 1999, "1");  // constant sum, folded while compiling
    case 7:
      return Repeat("sin(", 799) + "x" + Repeat(")", 799);  // nested calls
    default:
      return Repeat("-(", 1333) + "x" + Repeat(")", 1333);  // nested negations: every "-" is tried
  }
}

void BM_CompileWorstShape(benchmark::State& state) {
  PlotExpressions plot;
  TExpresion& expression = plot.Expression(PlotExpressions::kFunc);
  const std::string text = WorstShape(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    expression.SetText(text);
    benchmark::DoNotOptimize(expression.Compiled());
    expression.SetText("0");
  }
  state.SetLabel(std::to_string(text.size()) + " chars");
}
BENCHMARK(BM_CompileWorstShape)->DenseRange(0, 8)->Unit(benchmark::kMillisecond);

// Shapes that share nodes 60 levels deep: nested comparisons that fail, and
// definitions each used twice by the next. One row of the picture.
std::string SharedShape(int shape) {
  if (shape == 0) {
    std::string text = "x";
    for (int level = 0; level < 60; ++level) text.insert(0, "x>=(").append(")");
    return text;
  }
  std::string text = "a0:x+1;";
  for (int i = 1; i <= 60; ++i) {
    const std::string previous = std::to_string(i - 1);
    text.append("a").append(std::to_string(i)).append(":a").append(previous).append("+a").append(previous).append(";");
  }
  return text.append("a60");
}

void BM_GetValueSharedNodesRow(benchmark::State& state) {
  EvaluateRows(state, SharedShape(static_cast<int>(state.range(0))),
               state.range(0) == 0 ? "x>=(x>=(...)) 60 deep" : "a60:a59+a59 ...");
}
BENCHMARK(BM_GetValueSharedNodesRow)->DenseRange(0, 1);

}  // namespace
}  // namespace vorla
