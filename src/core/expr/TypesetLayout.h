#pragma once
// Shared by the typesetting units: the layout of each family of nodes and
// the helpers they use; not part of the typesetting interface.

#include <functional>
#include <string>

#include "core/expr/Typeset.h"

namespace vorla::typeset {

// How one kind of node measures and paints itself.
struct TLayout {
  TBox (*Measure)(const TEval& node, TCanvas& canvas, int size) = nullptr;
  void (*Draw)(const TEval& node, TCanvas& canvas, int x, int top, int size) = nullptr;
  explicit operator bool() const { return Measure != nullptr; }
};

// The layout of a type L made from the node, answering Measure(canvas,
// size) and Draw(canvas, x, top, size).
template <class L>
TLayout LayoutOf() {
  return {[](const TEval& node, TCanvas& canvas, int size) { return L{node}.Measure(canvas, size); },
          [](const TEval& node, TCanvas& canvas, int x, int top, int size) { L{node}.Draw(canvas, x, top, size); }};
}

// The layout of each kind of node, by family.
TLayout LeafLayout(NodeKind kind);     // numbers, constants, variables, messages
TLayout RowLayout(NodeKind kind);      // sums, differences, products, comparisons, logic
TLayout StackedLayout(NodeKind kind);  // fractions, powers, roots, logarithms
TLayout CallLayout(NodeKind kind);     // calls without a typeset form of their own

// A box of one line of text in the current font, centred on the axis.
TBox TextBox(TCanvas& canvas, const std::string& text);
// Parentheses around any box (see MeasureParen); DrawInParens paints them
// and hands `draw` the place of the box inside.
TBox ParenBox(TCanvas& canvas, const TBox& inner);
void DrawInParens(TCanvas& canvas, const TBox& inner, int x, int top, const std::function<void(int x, int top)>& draw);

}  // namespace vorla::typeset
