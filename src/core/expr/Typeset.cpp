#include "core/expr/Typeset.h"

#include <algorithm>
#include <cmath>
#include <functional>

#include "core/expr/TextFold.h"
#include "core/expr/bases2_36.h"
#include "core/io/MulDiv.h"

namespace vorla {
namespace {

// A box of one line of text in the current font, centred on the axis.
TBox TextBox(TCanvas& canvas, const std::string& text) {
  const int h = canvas.TextHeight(text);
  return {canvas.TextWidth(text), h / 2, h / 2};
}

void SetCellFont(TCanvas& canvas, int cellHeight) {
  canvas.Font = {TFace::TimesNewRoman, TFontStyle::Regular, cellHeight, THeightKind::Cell};
}

// Parentheses around any box; see MeasureParen.
TBox ParenBox(TCanvas& canvas, const TBox& inner) {
  const int p = (inner.Ascent + inner.Descent) / 5;
  const TFont saved = canvas.Font;
  SetCellFont(canvas, inner.Ascent + inner.Descent + p);
  const TBox box{inner.Width + canvas.TextWidth("()"), inner.Ascent + p / 2, inner.Descent + p / 2};
  canvas.Font.Height = saved.Height;
  canvas.Font.Kind = saved.Kind;
  return box;
}

void DrawInParens(TCanvas& canvas, const TBox& inner, int x, int top, const std::function<void(int, int)>& draw) {
  const int p = (inner.Ascent + inner.Descent) / 5;
  const TFont saved = canvas.Font;
  SetCellFont(canvas, inner.Ascent + inner.Descent + p);
  const int h = p / 2;
  canvas.TextOut(x, top - h, "(");
  x += canvas.TextWidth(")");
  canvas.TextOut(x + inner.Width, top - h, ")");
  canvas.Font.Height = saved.Height;
  canvas.Font.Kind = saved.Kind;
  draw(x, top + h);
}

template <class T>
bool Is(const TEval& node) {
  return dynamic_cast<const T*>(&node) != nullptr;
}

bool IsZeroNumber(const TEval& node) { return Is<TNum>(node) && node.Value == 0.0f; }

// ---- leaves ------------------------------------------------------------------

struct NumberLayout {
  const TSimpleNum& node;

  TBox Measure(TCanvas& canvas, int size) const {
    const TNumberText number = NumberText(node);
    SetFont(canvas, TFace::TimesNewRoman, TFontStyle::Regular, size);
    if (!number.HasExponent) return TextBox(canvas, number.Text);
    const int h = canvas.TextHeight(number.Mantissa) / 2;
    const int exponentWidth = (canvas.TextWidth(number.Exponent) * 2 + 1) / 3;
    const int exponentHeight = (canvas.TextHeight(number.Exponent) * 2 + 1) / 3;
    return {canvas.TextWidth(number.Mantissa + "10") + exponentWidth + size / 3, (exponentHeight + h) / 2,
            size / 3 + h / 2};
  }

  void Draw(TCanvas& canvas, int x, int top, int size) const {
    const TNumberText number = NumberText(node);
    const TBox box = Measure(canvas, size);
    if (!number.HasExponent) {
      canvas.TextOut(x, top, number.Text);
      return;
    }
    const int k = box.Ascent / 6;
    canvas.TextOut(x, top + k, number.Mantissa);
    const int mantissaWidth = canvas.TextWidth(number.Mantissa);
    canvas.TextOut(x + mantissaWidth, top + k, " 10");
    const int tenWidth = canvas.TextWidth(" 10");
    // The exponent is set in points, six tenths of the size, as its cell height.
    const int points = static_cast<int>(std::lround(size * 6 / 10.0));
    canvas.Font.Height = MulDiv(points, canvas.PixelsPerInch(), 72);
    canvas.Font.Kind = THeightKind::Cell;
    canvas.TextOut(x + mantissaWidth + tenWidth, top - k, number.Exponent);
    const int dotX = x + mantissaWidth + tenWidth / 6 - k;
    const int dotY = top + box.Ascent + box.Descent / 3 - k;
    canvas.Rectangle(dotX, dotY, dotX + 2, dotY + 2, false);
  }
};

bool IsPi(const TEval& node) { return ToUpperText(node.Text) == "PI"; }

struct ConstantLayout {
  const TEval& node;

  TBox Measure(TCanvas& canvas, int size) const {
    if (IsPi(node)) {
      SetFont(canvas, TFace::Symbol, TFontStyle::Regular, size);
      return TextBox(canvas, "p");
    }
    SetFont(canvas, TFace::TimesNewRoman, TFontStyle::Italic, size);
    const int q = canvas.TextHeight(node.Text) / 5;
    return {canvas.TextWidth(node.Text), 3 * q, 2 * q};
  }

  void Draw(TCanvas& canvas, int x, int top, int size) const {
    Measure(canvas, size);
    if (IsPi(node))
      canvas.TextOut(x, top - size / 7, "p");
    else
      canvas.TextOut(x, top, node.Text);
  }
};

// One line of text in one font: variables and messages.
struct WordLayout {
  std::string text;
  TFace face;
  TFontStyle style;

  TBox Measure(TCanvas& canvas, int size) const {
    SetFont(canvas, face, style, size);
    return TextBox(canvas, text);
  }

  void Draw(TCanvas& canvas, int x, int top, int size) const {
    Measure(canvas, size);
    canvas.TextOut(x, top, text);
  }
};

// ---- rows --------------------------------------------------------------------

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

struct SumLayout {
  const TEval& node;

  Row Operands(TCanvas& canvas, int size) const {
    return {vorla::Measure(*node.Args[0], canvas, size), vorla::Measure(*node.Args[1], canvas, size)};
  }

  TBox Measure(TCanvas& canvas, int size) const {
    const Row row = Operands(canvas, size);
    SetSignFont(canvas, size);
    return row.Box(canvas.TextWidth("+") + size / 4);
  }

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

  TBox Measure(TCanvas& canvas, int size) const {
    const Row row = Operands(canvas, size);
    SetSignFont(canvas, size);
    return row.Box(canvas.TextWidth("+") + size / 4);
  }

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
    const bool q = RightParen() || (Is<TPot>(right) && !Is<TNum>(*right.Args[0]));
    const bool leftNumber = Is<TNum>(left);
    const bool juxtaposed =
        (LeftParen() && q) || (leftNumber && q) || (leftNumber && !Is<TOp>(right) && !Is<TNum>(right));
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
    if (Is<TIgu>(node) || Is<TDist>(node)) return "=";
    if (Is<TMay>(node) || Is<TMayIgu>(node)) return ">";
    return "<";
  }
  bool OrEqual() const { return Is<TMayIgu>(node) || Is<TMenIgu>(node); }

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
    if (Is<TDist>(node)) {
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
    if (Is<TAnd>(node))
      canvas.Polyline({{x0 + u, low}, {x0 + 3 * u, high}, {x0 + 5 * u, low}}, 1);
    else if (Is<TOr>(node))
      canvas.Polyline({{x0 + u, high}, {x0 + 3 * u, low}, {x0 + 5 * u, high}}, 1);
    else
      canvas.Polyline({{x0 + u, high}, {x0 + 2 * u, low}, {x0 + 3 * u, high}, {x0 + 4 * u, low}, {x0 + 5 * u, high}},
                      1);
  }
};

// ---- stacked and raised forms --------------------------------------------------

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

  bool BaseParen() const { return Is<TOp>(*node.Args[0]) || Is<TFun>(*node.Args[0]); }

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
    if (!(Is<TNum>(index) && index.Value == 2.0f)) vorla::Draw(index, canvas, x, top, size / 2);
  }
};

struct LogarithmLayout {
  const TEval& node;  // argument, base

  bool ArgumentParen() const { return Is<TOp>(*node.Args[0]); }

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

// ---- function calls --------------------------------------------------------------

void SetNameFont(TCanvas& canvas, int size) { SetFont(canvas, TFace::TimesNewRoman, TFontStyle::Regular, size); }

// sin x, sin (x + 1).
struct CallLayout {
  const TEval& node;

  bool ArgumentParen() const { return Is<TOp>(*node.Args[0]); }

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

// The arguments of a call side by side, separated by commas.
struct ArgumentListLayout {
  const TEvalArray& items;

  TBox Measure(TCanvas& canvas, int size) const {
    TBox box;
    for (const TEval* item : items) {
      const TBox b = vorla::Measure(*item, canvas, size);
      box.Width += b.Width;
      box.Ascent = std::max(box.Ascent, b.Ascent);
      box.Descent = std::max(box.Descent, b.Descent);
    }
    SetFont(canvas, TFace::TimesNewRoman, TFontStyle::Regular, box.Ascent + box.Descent);
    box.Width += canvas.TextWidth(", ") * (static_cast<int>(items.size()) - 2) + size / 4;
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
    const int commas = canvas.TextWidth(",") * (static_cast<int>(node.Args.size()) - 1);
    return {list.Width + canvas.TextWidth(node.Text) + commas, list.Ascent, list.Descent};
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
struct HookLayout {
  const TEval& node;
  const TMeasureHook& measure;
  const TDrawHook& draw;
  TBox Measure(TCanvas& canvas, int size) const { return measure(node, canvas, size); }
  void Draw(TCanvas& canvas, int x, int top, int size) const { draw(node, canvas, x, top, size); }
};

// A node of a kind typesetting does not know takes no room.
struct EmptyLayout {
  TBox Measure(TCanvas&, int) const { return {}; }
  void Draw(TCanvas&, int, int, int) const {}
};

// Hands the layout of `node` to `use`.
template <class Use>
auto WithLayout(const TEval& node, Use use) {
  if (const auto* call = dynamic_cast<const TFun*>(&node)) {
    if (call->MeasureHook && call->DrawHook) return use(HookLayout{node, call->MeasureHook, call->DrawHook});
    if (Is<TFun1>(node)) return use(CallLayout{node});
    return use(ListCallLayout{node});
  }
  if (const auto* call = dynamic_cast<const TFun0*>(&node); call && call->MeasureHook && call->DrawHook)
    return use(HookLayout{node, call->MeasureHook, call->DrawHook});
  if (Is<TConst>(node)) return use(ConstantLayout{node});
  if (const auto* number = dynamic_cast<const TSimpleNum*>(&node)) return use(NumberLayout{*number});
  if (Is<TVar>(node)) return use(WordLayout{node.Text, TFace::TimesNewRoman, TFontStyle::BoldItalic});
  if (Is<TExprMsg>(node)) return use(WordLayout{"\"" + node.Text + "\"", TFace::Arial, TFontStyle::Regular});
  if (Is<TSuma>(node)) return use(SumLayout{node});
  if (Is<TResta>(node)) return use(DifferenceLayout{node});
  if (Is<TMul>(node)) return use(ProductLayout{node});
  if (Is<TDiv>(node)) return use(FractionLayout{node});
  if (Is<TPot>(node)) return use(PowerLayout{node});
  if (Is<TRaiz>(node)) return use(RootLayout{node});
  if (Is<TLogN>(node)) return use(LogarithmLayout{node});
  if (Is<TCompara>(node)) return use(ComparisonLayout{node});
  if (Is<TLogic>(node)) return use(LogicLayout{node});
  return use(EmptyLayout{});
}

}  // namespace

TBox Measure(const TEval& node, TCanvas& canvas, int size) {
  return WithLayout(node, [&](const auto& layout) { return layout.Measure(canvas, size); });
}

void Draw(const TEval& node, TCanvas& canvas, int x, int top, int size) {
  WithLayout(node, [&](const auto& layout) { layout.Draw(canvas, x, top, size); });
}

TBox MeasureParen(const TEval& node, TCanvas& canvas, int size, bool paren) {
  const TBox box = Measure(node, canvas, size);
  return paren ? ParenBox(canvas, box) : box;
}

void DrawParen(const TEval& node, TCanvas& canvas, int x, int top, int size, bool paren) {
  if (!paren) {
    Draw(node, canvas, x, top, size);
    return;
  }
  const TBox inner = Measure(node, canvas, size);
  DrawInParens(canvas, inner, x, top, [&](int ix, int itop) { Draw(node, canvas, ix, itop, size); });
}

bool NeedsParens(const TEval& node) {
  return Is<TSuma>(node) || Is<TResta>(node) || Is<TCompara>(node) || Is<TLogic>(node);
}

void SetFont(TCanvas& canvas, TFace face, TFontStyle style, int size) {
  canvas.Font = {face, style, size, THeightKind::Character};
}

TNumberText NumberText(const TSimpleNum& number) {
  TNumberText result;
  result.Text = number.Text.empty() ? FloatToBase(10, number.Value) : number.Text;
  // The exponent letter is the later of the first "E" and the first "e".
  const std::size_t upper = result.Text.find('E');
  const std::size_t lower = result.Text.find('e');
  std::size_t letter = std::string::npos;
  if (upper != std::string::npos) letter = upper;
  if (lower != std::string::npos && (letter == std::string::npos || lower > letter)) letter = lower;
  if (letter == std::string::npos) return result;
  result.HasExponent = true;
  result.Mantissa = result.Text.substr(0, letter);
  result.Exponent = result.Text.substr(letter + 1);
  return result;
}

TPictureSize FormulaPictureSize(const TEval& root, TCanvas& canvas, int size) {
  const TBox box = Measure(root, canvas, size);
  return {box.Width + 2 * kFormulaMargin, box.Ascent + box.Descent + 2 * kFormulaMargin};
}

void DrawFormulaPicture(const TEval& root, TCanvas& canvas, int size) {
  Draw(root, canvas, kFormulaMargin, kFormulaMargin, size);
}

}  // namespace vorla
