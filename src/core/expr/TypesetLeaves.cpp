#include "core/expr/TypesetLayout.h"

#include <cmath>
#include <string>

#include "core/expr/TextFold.h"
#include "core/io/MulDiv.h"

namespace vorla::typeset {
namespace {

struct NumberLayout {
  const TEval& node;

  TNumberText Printed() const { return NumberText(static_cast<const TSimpleNum&>(node)); }

  TBox Measure(TCanvas& canvas, int size) const {
    const TNumberText number = Printed();
    SetFont(canvas, TFace::TimesNewRoman, TFontStyle::Regular, size);
    if (!number.HasExponent) return TextBox(canvas, number.Text);
    const int h = canvas.TextHeight(number.Mantissa) / 2;
    const int exponentWidth = (canvas.TextWidth(number.Exponent) * 2 + 1) / 3;
    const int exponentHeight = (canvas.TextHeight(number.Exponent) * 2 + 1) / 3;
    return {canvas.TextWidth(number.Mantissa + "10") + exponentWidth + size / 3, (exponentHeight + h) / 2,
            size / 3 + h / 2};
  }

  void Draw(TCanvas& canvas, int x, int top, int size) const {
    const TNumberText number = Printed();
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

struct VariableLayout {
  const TEval& node;

  TBox Measure(TCanvas& canvas, int size) const {
    SetFont(canvas, TFace::TimesNewRoman, TFontStyle::BoldItalic, size);
    return TextBox(canvas, node.Text);
  }

  void Draw(TCanvas& canvas, int x, int top, int size) const {
    Measure(canvas, size);
    canvas.TextOut(x, top, node.Text);
  }
};

// The message between double quotes.
struct MessageLayout {
  const TEval& node;

  std::string Shown() const { return "\"" + node.Text + "\""; }

  TBox Measure(TCanvas& canvas, int size) const {
    SetFont(canvas, TFace::Arial, TFontStyle::Regular, size);
    return TextBox(canvas, Shown());
  }

  void Draw(TCanvas& canvas, int x, int top, int size) const {
    Measure(canvas, size);
    canvas.TextOut(x, top, Shown());
  }
};

}  // namespace

TLayout LeafLayout(NodeKind kind) {
  switch (kind) {
    // A call without arguments is written as a constant.
    case NodeKind::kConstant:
    case NodeKind::kFunction0: return LayoutOf<ConstantLayout>();
    case NodeKind::kNumber: return LayoutOf<NumberLayout>();
    case NodeKind::kVariable: return LayoutOf<VariableLayout>();
    case NodeKind::kMessage: return LayoutOf<MessageLayout>();
    default: return {};
  }
}

}  // namespace vorla::typeset
