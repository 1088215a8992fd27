#include "core/expr/TypesetLayout.h"

#include <algorithm>
#include <string>

namespace vorla::typeset {
namespace {

void SetNameFont(TCanvas& canvas, int size) { SetFont(canvas, TFace::TimesNewRoman, TFontStyle::Regular, size); }

// sin x, sin (x + 1).
struct OneArgumentLayout {
  const TEval& node;

  bool ArgumentParen() const { return IsOperator(node.Args[0]->Kind()); }

  TBox Measure(TCanvas& canvas, int size) const {
    const TBox a = MeasureParen(*node.Args[0], canvas, size, ArgumentParen());
    SetNameFont(canvas, size);
    return {canvas.TextWidth(node.Text) + a.Width + size / 6, a.Ascent, a.Descent};
  }

  void Draw(TCanvas& canvas, int x, int top, int size) const {
    const TBox a = MeasureParen(*node.Args[0], canvas, size, ArgumentParen());
    const TBox box = Measure(canvas, size);
    canvas.TextOut(x, top + (2 * a.Ascent - canvas.TextHeight(node.Text)) / 2, node.Text);
    DrawParen(*node.Args[0], canvas, x + box.Width - a.Width, top, size, ArgumentParen());
  }
};

// The arguments of a call side by side, separated by commas. The list is
// measured with the commas it draws (one after every item but the last, at
// the type size), so the closing parenthesis never overlaps the last item.
struct ArgumentListLayout {
  const TEvalArray& items;

  // Counted wide: a long list of bounded items may still pass int.
  TBox Measure(TCanvas& canvas, int size) const {
    TBox box;
    long long width = 0;
    for (const NodePtr& item : items) {
      const TBox b = vorla::Measure(*item, canvas, size);
      width += b.Width;
      box.Ascent = std::max(box.Ascent, b.Ascent);
      box.Descent = std::max(box.Descent, b.Descent);
    }
    SetFont(canvas, TFace::TimesNewRoman, TFontStyle::Regular, size);
    width += static_cast<long long>(canvas.TextWidth(", ")) * (static_cast<long long>(items.size()) - 1);
    box.Width = BoundedExtent(width);
    return box;
  }

  void Draw(TCanvas& canvas, int x, int top, int size) const {
    const TBox box = Measure(canvas, size);
    for (std::size_t i = 0; i < items.size(); ++i) {
      const TBox b = vorla::Measure(*items[i], canvas, size);
      vorla::Draw(*items[i], canvas, x, top + box.Ascent - b.Ascent, size);
      x += b.Width;
      if (i + 1 == items.size()) break;
      SetFont(canvas, TFace::TimesNewRoman, TFontStyle::Regular, size);
      canvas.TextOut(x, top + box.Ascent / 4, ", ");
      x += canvas.TextWidth(", ");
    }
  }
};

// max (a, b, c): the list always in parentheses.
struct ListCallLayout {
  const TEval& node;

  TBox List(TCanvas& canvas, int size) const {
    return ParenBox(canvas, ArgumentListLayout{node.Args}.Measure(canvas, size));
  }

  TBox Measure(TCanvas& canvas, int size) const {
    const TBox list = List(canvas, size);
    SetNameFont(canvas, size);
    return {list.Width + canvas.TextWidth(node.Text), list.Ascent, list.Descent};
  }

  void Draw(TCanvas& canvas, int x, int top, int size) const {
    const TBox list = List(canvas, size);
    SetNameFont(canvas, size);
    canvas.TextOut(x, top + list.Ascent - canvas.TextHeight(node.Text) / 2, node.Text);
    const int listX = x + canvas.TextWidth(node.Text);
    const ArgumentListLayout arguments{node.Args};
    const TBox inner = arguments.Measure(canvas, size);
    DrawInParens(canvas, inner, listX, top, [&](int ix, int itop) { arguments.Draw(canvas, ix, itop, size); });
  }
};

// A catalog entry's own typesetting.

}  // namespace

TLayout CallLayout(NodeKind kind) {
  switch (kind) {
    case NodeKind::kCall1: return LayoutOf<OneArgumentLayout>();
    case NodeKind::kCallN:
    case NodeKind::kSelect: return LayoutOf<ListCallLayout>();
    default: return {};
  }
}

}  // namespace vorla::typeset
