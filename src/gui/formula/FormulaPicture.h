#pragma once
// The typeset formula of an expression as a recorded QPicture: a vector
// drawing that replays cleanly at any scale, with a transparent background.

#include <QPicture>

#include <memory>

#include "core/expr/Typeset.h"

namespace vorla {

class TExpresion;

// The size of the picture of `root` at type size `size`, measured without drawing.
TPictureSize FormulaExtent(const TEval& root, int size = kFormulaSize);

// The picture of `root` at type size `size`; its bounding rectangle is the
// formula's box with the margin around it. Null when there is no tree or
// the picture passes the formula limits (FitsFormulaLimits).
std::unique_ptr<QPicture> FormulaPicture(const TEval* root, int size = kFormulaSize);
std::unique_ptr<QPicture> FormulaPicture(const TExpresion& expression);

}  // namespace vorla
