#pragma once
// The built-in constants and functions every plotted expression can use.

#include <cstddef>
#include <cstdint>

#include "core/expr/ErrorCodes.h"
#include "core/expr/ExprBase.h"

namespace vorla {

class TExpresion;

// Registers the whole catalog, in its display order, into a root's list.
void RegisterCatalog(TExpresion& root);

// "Si"/"If": the second argument when the first is greater than 0, else the
// third; the branch not taken is not evaluated.
float Conditional(const TEvalArray& args);

// The forms over runs of the catalog functions that have one: the function's
// values bit for bit, lane by lane, NaN where it fails (see RowKernels.h).
// Null for a function without one.
using TRunFunc1 = void (*)(const float* x, float* out, std::size_t n);
using TRunFunc2 = void (*)(const float* a, const float* b, float* out, std::size_t n);
TRunFunc1 RunFormOf(TFunc1 func);
TRunFunc2 RunFormOf(TFuncN func);
// The code a function with a run form fails with at x, where its run form
// gives NaN for a number x.
using TRunFault = ExprError (*)(float x);
TRunFault RunFaultOf(TFunc1 func);

// "Ale" draws from a generator of the calling thread's own, seeded from the
// clock on first use; tests and reproducible runs seed it themselves.
void SeedRandom(std::uint32_t seed);

}  // namespace vorla
