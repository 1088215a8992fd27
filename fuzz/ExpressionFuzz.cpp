// The expression compiler and evaluator: any text compiles or gives an
// error code, and evaluates or fails with one, at a few points.

#include "FuzzSupport.h"
#include "core/expr/Expresion.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  vorla::TExpresion root;
  root.SetWantsCatalog(true);
  vorla::TVariable* x = root.AddVariable("x");
  vorla::TVariable* y = root.AddVariable("y");
  root.SetText(vorla::fuzz::Text(data, size));
  if (!root.Compiled()) return 0;
  for (const float point : {0.0f, -1.5f, 2.0f, 1e30f}) {
    x->SetValue(point);
    y->SetValue(-point);
    root.GetValue();
  }
  return 0;
}
