#include "core/expr/TypesetLayout.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace vorla::typeset {
namespace {

bool IsZeroNumber(const TEval& node) { return node.Kind() == NodeKind::kNumber && node.Value == 0.0f; }

// Two operands on a common axis with a sign between them.
struct Row {
  TBox left, right;
  TBox Box(int gap) const {
    return {left.Width + right.Width + gap, std::max(left.Ascent, right.Ascent),
            std::max(left.Descent, right.Descent)};
  }
};

// The text with its cell centred in the rectangle.
void TextOutCentered(TCanvas& canvas, int left, int top, int right, int bottom, const std::string& text) {
  canvas.TextOut(left + (right - left - canvas.TextWidth(text)) / 2, top + (bottom - top - canvas.TextHeight(text)) / 2,
                 text);
}

void SetSignFont(TCanvas& canvas, int size) { SetFont(canvas, TFace::TimesNewRoman, TFontStyle::Bold, size); }

// A sum or difference: the operands with a "+"-wide sign and a quarter of the
// size between them (a minus takes a plus's room).
TBox SignedRowBox(const Row& row, TCanvas& canvas, int size) {
  SetSignFont(canvas, size);
  return row.Box(canvas.TextWidth("+") + size / 4);
}

struct SumLayout {
  const TEval& node;

  Row Operands(TCanvas& canvas, int size) const {
    return {vorla::Measure(*node.Args[0], canvas, size), vorla::Measure(*node.Args[1], canvas, size)};
  }

  TBox Measure(TCanvas& canvas, int size) const { return SignedRowBox(Operands(canvas, size), canvas, size); }

  void Draw(TCanvas& canvas, int x, int top, int size) const {
    const Row row = Operands(canvas, size);
    const TBox box = Measure(canvas, size);
    vorla::Draw(*node.Args[0], canvas, x, top + box.Ascent - row.left.Ascent, size);
    vorla::Draw(*node.Args[1], canvas, x + box.Width - row.right.Width, top + box.Ascent - row.right.Ascent, size);
    SetSignFont(canvas, size);
    TextOutCentered(canvas, x + row.left.Width, top, x + box.Width - row.right.Width, top + 2 * box.Ascent, "+");
  }
};

struct DifferenceLayout {
  const TEval& node;

  // The parser writes a negation as 0 - x: its zero takes no room.
  bool Negation() const { return IsZeroNumber(*node.Args[0]); }
  bool RightParen() const { return NeedsParens(*node.Args[1]); }

  Row Operands(TCanvas& canvas, int size) const {
    const TBox left = Negation() ? TBox{} : vorla::Measure(*node.Args[0], canvas, size);
    return {left, MeasureParen(*node.Args[1], canvas, size, RightParen())};
  }

  TBox Measure(TCanvas& canvas, int size) const { return SignedRowBox(Operands(canvas, size), canvas, size); }

  void Draw(TCanvas& canvas, int x, int top, int size) const {
    const Row row = Operands(canvas, size);
    const TBox box = Measure(canvas, size);
    if (!Negation()) vorla::Draw(*node.Args[0], canvas, x, top + box.Ascent - row.left.Ascent, size);
    DrawParen(*node.Args[1], canvas, x + box.Width - row.right.Width, top + box.Ascent - row.right.Ascent, size,
              RightParen());
    const int pen = static_cast<int>(std::lround(size / 15.0));
    const int m = std::max(size, 1) / 6;
    const int y = top + box.Ascent - pen / 2;
    canvas.Line({x + row.left.Width + m, y}, {x + box.Width - row.right.Width - m, y}, pen);
  }
};

struct ProductLayout {
  const TEval& node;

  bool LeftParen() const { return NeedsParens(*node.Args[0]); }
  bool RightParen() const { return NeedsParens(*node.Args[1]); }

  // Juxtaposition where a reader cannot mistake it: 2x, 2(a + b),
  // (a + b)(c - d), 2x²; a dot otherwise.
  bool Dot() const {
    const TEval& left = *node.Args[0];
    const TEval& right = *node.Args[1];
    const bool q =
        RightParen() || (right.Kind() == NodeKind::kPower && right.Args[0]->Kind() != NodeKind::kNumber);
    const bool leftNumber = left.Kind() == NodeKind::kNumber;
    const bool juxtaposed = (LeftParen() && q) || (leftNumber && q) ||
                            (leftNumber && !IsOperator(right.Kind()) && right.Kind() != NodeKind::kNumber);
    return !juxtaposed;
  }

  Row Operands(TCanvas& canvas, int size) const {
    return {MeasureParen(*node.Args[0], canvas, size, LeftParen()),
            MeasureParen(*node.Args[1], canvas, size, RightParen())};
  }

  TBox Measure(TCanvas& canvas, int size) const {
    return Operands(canvas, size).Box(Dot() ? size / 3 : size / 6);
  }

  void Draw(TCanvas& canvas, int x, int top, int size) const {
    const Row row = Operands(canvas, size);
    const TBox box = row.Box(Dot() ? size / 3 : size / 6);
    DrawParen(*node.Args[0], canvas, x, top + box.Ascent - row.left.Ascent, size, LeftParen());
    DrawParen(*node.Args[1], canvas, x + box.Width - row.right.Width, top + box.Ascent - row.right.Ascent, size,
              RightParen());
    if (!Dot()) return;
    const int e = size / 20;
    const int side = std::max(e, 2);
    const int x0 = x + row.left.Width + size / 8 - e + 1;
    const int y0 = top + box.Ascent - e;
    canvas.Rectangle(x0, y0, x0 + side, y0 + side, true);
  }
};

struct ComparisonLayout {
  const TEval& node;

  // The sign in the Symbol face; not-equal and the or-equal forms add a stroke.
  std::string Sign() const {
    switch (node.Kind()) {
      case NodeKind::kEqual:
      case NodeKind::kNotEqual: return "=";
      case NodeKind::kGreater:
      case NodeKind::kAtLeast: return ">";
      default: return "<";
    }
  }
  bool OrEqual() const { return node.Kind() == NodeKind::kAtLeast || node.Kind() == NodeKind::kAtMost; }

  Row Operands(TCanvas& canvas, int size) const {
    return {vorla::Measure(*node.Args[0], canvas, size), vorla::Measure(*node.Args[1], canvas, size)};
  }

  TBox Measure(TCanvas& canvas, int size) const {
    const Row row = Operands(canvas, size);
    SetFont(canvas, TFace::Symbol, TFontStyle::Bold, size);
    return row.Box(canvas.TextWidth(Sign()) + size / 4);
  }

  void Draw(TCanvas& canvas, int x, int top, int size) const {
    const Row row = Operands(canvas, size);
    const TBox box = Measure(canvas, size);
    vorla::Draw(*node.Args[0], canvas, x, top + box.Ascent - row.left.Ascent, size);
    vorla::Draw(*node.Args[1], canvas, x + box.Width - row.right.Width, top + box.Ascent - row.right.Ascent, size);
    SetFont(canvas, TFace::Symbol, TFontStyle::Bold, size);
    const std::string sign = Sign();
    const int h = canvas.TextHeight(sign);
    const int signWidth = canvas.TextWidth(sign);
    const int yc = top + (2 * box.Ascent - h) / 2;
    const int e = OrEqual() ? size / 7 : 0;
    const int x0 = x + row.left.Width;
    canvas.TextOut(x0 + 1, yc - e - size / 8, sign);
    if (OrEqual()) {
      const int y = yc + 7 * e + 2;
      canvas.Line({x0 + 1, y}, {x0 + signWidth - 1, y}, 1);
    }
    if (node.Kind() == NodeKind::kNotEqual) {
      const int s = size / 6;
      canvas.Line({x0 + signWidth - s, yc + s}, {x0 + s, yc + h - s}, 1);
    }
  }
};

struct LogicLayout {
  const TEval& node;

  Row Operands(TCanvas& canvas, int size) const {
    return {vorla::Measure(*node.Args[0], canvas, size), vorla::Measure(*node.Args[1], canvas, size)};
  }

  TBox Measure(TCanvas& canvas, int size) const { return Operands(canvas, size).Box(size * 2 / 3); }

  void Draw(TCanvas& canvas, int x, int top, int size) const {
    const Row row = Operands(canvas, size);
    const TBox box = row.Box(size * 2 / 3);
    vorla::Draw(*node.Args[0], canvas, x, top + box.Ascent - row.left.Ascent, size);
    vorla::Draw(*node.Args[1], canvas, x + box.Width - row.right.Width, top + box.Ascent - row.right.Ascent, size);
    const int x0 = x + row.left.Width;
    const int y = top + box.Ascent;
    const int u = (size * 2 / 3) / 6;
    const int low = y + 3 * u;
    const int high = y - u;
    if (node.Kind() == NodeKind::kAnd)
      canvas.Polyline({{x0 + u, low}, {x0 + 3 * u, high}, {x0 + 5 * u, low}}, 1);
    else if (node.Kind() == NodeKind::kOr)
      canvas.Polyline({{x0 + u, high}, {x0 + 3 * u, low}, {x0 + 5 * u, high}}, 1);
    else
      canvas.Polyline({{x0 + u, high}, {x0 + 2 * u, low}, {x0 + 3 * u, high}, {x0 + 4 * u, low}, {x0 + 5 * u, high}},
                      1);
  }
};

}  // namespace

TLayout RowLayout(NodeKind kind) {
  switch (kind) {
    case NodeKind::kAdd: return LayoutOf<SumLayout>();
    case NodeKind::kSubtract: return LayoutOf<DifferenceLayout>();
    case NodeKind::kMultiply: return LayoutOf<ProductLayout>();
    default:
      if (IsComparison(kind)) return LayoutOf<ComparisonLayout>();
      if (IsLogic(kind)) return LayoutOf<LogicLayout>();
      return {};
  }
}

}  // namespace vorla::typeset
