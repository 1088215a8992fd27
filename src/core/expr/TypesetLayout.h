#pragma once
// Shared by the typesetting units: the layout of each family of nodes and
// the helpers they use; not part of the typesetting interface.

#include <algorithm>
#include <functional>
#include <memory>
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

// Every extent of a box is kept within kMaxExtent either way: each
// nesting level may make brackets a fifth taller than what they enclose, so
// sizes grow exponentially with depth. The limit is past the largest formula
// picture, so a box that reaches it is refused anyway, and small enough that
// the sums and the font heights made of a few extents stay far inside int.
inline constexpr int kMaxExtent = 20000;
constexpr int BoundedExtent(long long extent) {
  return static_cast<int>(std::clamp<long long>(extent, -kMaxExtent, kMaxExtent));
}
constexpr TBox Bounded(const TBox& box) {
  return {BoundedExtent(box.Width), BoundedExtent(box.Ascent), BoundedExtent(box.Descent)};
}

// The boxes measured during one outermost Measure or Draw on a canvas. A
// parent measures an operand again for each way it uses it (its own box, the
// operand's place, its parentheses), which without remembering makes time
// grow with the square of the depth. A box depends on the node, the type
// size and the font the canvas has before measuring; the font measuring
// leaves behind is remembered with it, so a remembered box leaves the canvas
// exactly as measuring again would.
class TBoxMemo {
 public:
  TBoxMemo();
  ~TBoxMemo();
  TBox Measure(const TEval& node, TCanvas& canvas, int size,
               TBox (*measure)(const TEval& node, TCanvas& canvas, int size));

 private:
  struct Entries;
  std::unique_ptr<Entries> entries_;
};

// Gives the canvas a memo for the length of an outermost Measure or Draw and
// leaves an existing one alone: the tree cannot change during the call, but
// it can between calls.
class TMemoScope {
 public:
  explicit TMemoScope(TCanvas& canvas);
  ~TMemoScope();
  TMemoScope(const TMemoScope&) = delete;
  TMemoScope& operator=(const TMemoScope&) = delete;

 private:
  TCanvas& canvas_;
  std::unique_ptr<TBoxMemo> own_;
};

// A box of one line of text in the current font, centred on the axis.
TBox TextBox(TCanvas& canvas, const std::string& text);
// Parentheses around any box (see MeasureParen); DrawInParens paints them
// and hands `draw` the place of the box inside.
TBox ParenBox(TCanvas& canvas, const TBox& inner);
void DrawInParens(TCanvas& canvas, const TBox& inner, int x, int top, const std::function<void(int x, int top)>& draw);

}  // namespace vorla::typeset
