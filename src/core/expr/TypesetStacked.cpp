#include "core/expr/TypesetLayout.h"

#include <algorithm>

namespace vorla::typeset {
namespace {

struct FractionLayout {
  const TEval& node;

  TBox Measure(TCanvas& canvas, int size) const {
    const TBox n = vorla::Measure(*node.Args[0], canvas, size);
    const TBox d = vorla::Measure(*node.Args[1], canvas, size);
    return {std::max(n.Width, d.Width) + size / 10, n.Ascent + n.Descent, d.Ascent + d.Descent};
  }

  void Draw(TCanvas& canvas, int x, int top, int size) const {
    const TBox n = vorla::Measure(*node.Args[0], canvas, size);
    const TBox d = vorla::Measure(*node.Args[1], canvas, size);
    const TBox box = Measure(canvas, size);
    vorla::Draw(*node.Args[0], canvas, x + (box.Width - n.Width) / 2, top, size);
    vorla::Draw(*node.Args[1], canvas, x + (box.Width - d.Width) / 2,
                top + box.Ascent + box.Descent - d.Ascent - d.Descent, size);
    canvas.Line({x, top + box.Ascent}, {x + box.Width, top + box.Ascent}, 1);
  }
};

struct PowerLayout {
  const TEval& node;

  bool BaseParen() const { return IsOperator(node.Args[0]->Kind()) || IsCall(node.Args[0]->Kind()); }

  TBox Measure(TCanvas& canvas, int size) const {
    const TBox b = MeasureParen(*node.Args[0], canvas, size, BaseParen());
    const TBox e = vorla::Measure(*node.Args[1], canvas, size * 2 / 3);
    return {b.Width + e.Width, b.Ascent + e.Ascent, b.Descent};
  }

  void Draw(TCanvas& canvas, int x, int top, int size) const {
    const TBox b = MeasureParen(*node.Args[0], canvas, size, BaseParen());
    const TBox e = vorla::Measure(*node.Args[1], canvas, size * 2 / 3);
    DrawParen(*node.Args[0], canvas, x, top + e.Ascent, size, BaseParen());
    vorla::Draw(*node.Args[1], canvas, x + b.Width, top + size / 10, size * 2 / 3);
  }
};

struct RootLayout {
  const TEval& node;  // radicand, index

  TBox Measure(TCanvas& canvas, int size) const {
    const TBox r = vorla::Measure(*node.Args[0], canvas, size);
    const TBox i = vorla::Measure(*node.Args[1], canvas, size * 2 / 3);
    const int q = (r.Ascent + r.Descent) / 4;
    const int t = size / 10;
    return {r.Width + i.Width + q, r.Ascent + i.Ascent, r.Descent + 2 * t};
  }

  void Draw(TCanvas& canvas, int x, int top, int size) const {
    const TBox r = vorla::Measure(*node.Args[0], canvas, size);
    const TBox i = vorla::Measure(*node.Args[1], canvas, size * 2 / 3);
    const TBox box = Measure(canvas, size);
    const int q = (r.Ascent + r.Descent) / 4;
    const int t = size / 10;
    const int y0 = top + i.Ascent;
    const int radicandX = x + box.Width - r.Width;
    canvas.Polyline({{x + box.Width, y0},
                     {radicandX - t, y0},
                     {radicandX - q, y0 + r.Ascent + r.Descent - t},
                     {radicandX - 2 * q, y0 + i.Descent}},
                    1);
    vorla::Draw(*node.Args[0], canvas, radicandX, y0, size);
    // A square root shows no index, though its width stays reserved.
    const TEval& index = *node.Args[1];
    if (!(index.Kind() == NodeKind::kNumber && index.Value == 2.0f)) vorla::Draw(index, canvas, x, top, size / 2);
  }
};

struct LogarithmLayout {
  const TEval& node;  // argument, base

  bool ArgumentParen() const { return IsOperator(node.Args[0]->Kind()); }

  TBox Measure(TCanvas& canvas, int size) const {
    const TBox a = MeasureParen(*node.Args[0], canvas, size, ArgumentParen());
    const TBox b = vorla::Measure(*node.Args[1], canvas, size / 2);
    SetFont(canvas, TFace::TimesNewRoman, TFontStyle::Regular, size);
    return {canvas.TextWidth("log") + a.Width + b.Width + size / 6, a.Ascent, a.Descent};
  }

  void Draw(TCanvas& canvas, int x, int top, int size) const {
    const TBox a = MeasureParen(*node.Args[0], canvas, size, ArgumentParen());
    const TBox b = vorla::Measure(*node.Args[1], canvas, size / 2);
    const TBox box = Measure(canvas, size);
    const int h = canvas.TextHeight("log");
    const int y = top + (2 * a.Ascent - h) / 2;
    canvas.TextOut(x, y, "log");
    const int argumentX = x + box.Width - a.Width;
    DrawParen(*node.Args[0], canvas, argumentX, top, size, ArgumentParen());
    vorla::Draw(*node.Args[1], canvas, argumentX - b.Width, y + h - b.Ascent - b.Descent, size / 2);
  }
};

}  // namespace

TLayout StackedLayout(NodeKind kind) {
  switch (kind) {
    case NodeKind::kDivide: return LayoutOf<FractionLayout>();
    case NodeKind::kPower: return LayoutOf<PowerLayout>();
    case NodeKind::kRoot: return LayoutOf<RootLayout>();
    case NodeKind::kLogBase: return LayoutOf<LogarithmLayout>();
    default: return {};
  }
}

}  // namespace vorla::typeset
