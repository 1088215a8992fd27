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

// "Ale" draws from a generator of the calling thread's own, seeded from the
// clock on first use; tests and reproducible runs seed it themselves.
void SeedRandom(std::uint32_t seed);

}  // namespace vorla
