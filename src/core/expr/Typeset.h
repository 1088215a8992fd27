#pragma once
// Formula typesetting: a tree laid out as a mathematician writes it, with
// fractions stacked, powers raised, roots under a radical sign and
// parentheses only where precedence needs them. Every node measures a box
// (width, ascent and descent about the formula axis) and paints inside it;
// parents combine the boxes of their operands. Boxes are remembered only
// for the length of one outermost Measure or Draw, so that time grows with
// the size of the tree rather than its size times its depth.

#include <string>

#include "core/expr/Canvas.h"
#include "core/expr/ExprBase.h"

namespace vorla {

// The type size of a formula picture and its margin on every side.
inline constexpr int kFormulaSize = 20;
inline constexpr int kFormulaMargin = 2;

// `size` is the character height in pixels (0..255). Measuring leaves the
// canvas font as the node's own text needs it and never paints.
TBox Measure(const TEval& node, TCanvas& canvas, int size);
// Paints the node in the box whose top-left corner is (x, top): an operand
// of box (w, a, d) sits on an axis at y when drawn with top = y - a.
void Draw(const TEval& node, TCanvas& canvas, int x, int top, int size);

// The node's box, or with `paren` the box of the node between parentheses
// as tall as itself and a fifth more.
TBox MeasureParen(const TEval& node, TCanvas& canvas, int size, bool paren);
void DrawParen(const TEval& node, TCanvas& canvas, int x, int top, int size, bool paren);
// Sums, differences, comparisons and logical operators bind loosely enough
// to need parentheses as an operand.
bool NeedsParens(const TEval& node);

// Sets the canvas font: `face` and `style` at character height `size`.
void SetFont(TCanvas& canvas, TFace face, TFontStyle style, int size);

// How a number is printed: its own text, or the value in base 10; an
// exponent letter splits it into mantissa and exponent.
struct TNumberText {
  std::string Text;
  std::string Mantissa;
  std::string Exponent;
  bool HasExponent = false;
};
TNumberText NumberText(const TSimpleNum& number);

// A picture of the whole formula is the root's box at `size` with the
// margin around it; the root is drawn inside the margin.
struct TPictureSize {
  int Width = 0;
  int Height = 0;
};
TPictureSize FormulaPictureSize(const TEval& root, TCanvas& canvas, int size = kFormulaSize);
// The largest formula picture drawn. Deep nesting makes formulas grow
// exponentially, so one past the limits is refused rather than drawn smaller:
// shrunk to fit, it would be unreadable long before it stopped growing.
inline constexpr int kMaxFormulaSide = 16384;
inline constexpr long long kMaxFormulaPixels = 64LL * 1024 * 1024;
bool FitsFormulaLimits(const TPictureSize& picture);
// Why a picture past the limits is refused (core text), naming its size.
std::string FormulaTooLargeText(const TPictureSize& picture);
// Paints the root within the picture's margin; only for a picture that fits.
void DrawFormulaPicture(const TEval& root, TCanvas& canvas, int size = kFormulaSize);

}  // namespace vorla
