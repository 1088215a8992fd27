#pragma once
// The typeset forms six catalog functions carry instead of "name argument":
// a raised text after the argument (x⁻¹, x²), a base with the argument as its
// exponent (eˣ, 10ˣ), a radical sign and absolute value bars.

#include <string>

#include "core/expr/ExprBase.h"

namespace vorla {

struct TTypesetForm {
  TMeasureHook Measure;
  TDrawHook Draw;
};

// The argument followed by `raised` at two thirds of the size: "Rcp", "sqr".
TTypesetForm RaisedAfter(const std::string& raised);
// `base` with the argument as its exponent: "exp" (an italic e), "exp10".
TTypesetForm BaseRaisedTo(const std::string& base, bool italic);
// The argument under a radical sign: "sqrt".
TTypesetForm RadicalSign();
// The argument between vertical bars: "Abs".
TTypesetForm AbsoluteBars();

}  // namespace vorla
