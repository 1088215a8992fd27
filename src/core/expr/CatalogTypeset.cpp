#include "core/expr/CatalogTypeset.h"

#include "core/expr/Typeset.h"

namespace vorla {
namespace {

// Face "Times New Roman" with no style, at character height `size`.
void SetHookFont(TCanvas& canvas, int size, bool italic = false) {
  SetFont(canvas, TFace::TimesNewRoman, italic ? TFontStyle::Italic : TFontStyle::Regular, size);
}

const TEval& Argument(const TEval& call) { return *call.Args[0]; }

// An operator or another call as the argument goes between parentheses.
bool ArgumentParen(const TEval& call) {
  const NodeKind argument = Argument(call).Kind();
  return IsOperator(argument) || IsCall(argument);
}

TBox AbsoluteBox(const TEval& call, TCanvas& canvas, int size) {
  const TBox a = Measure(Argument(call), canvas, size);
  return {a.Width + (a.Ascent + a.Descent) / 5, a.Ascent, a.Descent};
}

}  // namespace

TTypesetForm RaisedAfter(const std::string& raised) {
  return {
      [raised](const TEval& call, TCanvas& canvas, int size) {
        const TBox a = MeasureParen(Argument(call), canvas, size, ArgumentParen(call));
        SetHookFont(canvas, size * 2 / 3);
        return TBox{a.Width + canvas.TextWidth(raised), a.Ascent + canvas.TextHeight(raised) / 3, a.Descent};
      },
      [raised](const TEval& call, TCanvas& canvas, int x, int top, int size) {
        SetHookFont(canvas, size * 2 / 3);
        const int r = canvas.TextHeight(raised) / 3;
        const TBox a = MeasureParen(Argument(call), canvas, size, ArgumentParen(call));
        DrawParen(Argument(call), canvas, x, top + r, size, ArgumentParen(call));
        SetHookFont(canvas, size * 2 / 3);
        canvas.TextOut(x + a.Width, top + size / 8, raised);
      }};
}

TTypesetForm BaseRaisedTo(const std::string& base, bool italic) {
  return {
      [base, italic](const TEval& call, TCanvas& canvas, int size) {
        SetHookFont(canvas, size, italic);
        const int baseWidth = canvas.TextWidth(base);
        const int h = canvas.TextHeight(base) / 2;
        const TBox a = Measure(Argument(call), canvas, size * 2 / 3);
        return TBox{baseWidth + a.Width, a.Ascent + h, h};
      },
      [base, italic](const TEval& call, TCanvas& canvas, int x, int top, int size) {
        SetHookFont(canvas, size, italic);
        const int baseWidth = canvas.TextWidth(base);
        const TBox a = Measure(Argument(call), canvas, size * 2 / 3);
        SetHookFont(canvas, size, italic);
        canvas.TextOut(x, top + a.Ascent, base);
        Draw(Argument(call), canvas, x + baseWidth, top + size / 8, size * 2 / 3);
      }};
}

TTypesetForm RadicalSign() {
  return {
      [](const TEval& call, TCanvas& canvas, int size) {
        const TBox a = Measure(Argument(call), canvas, size);
        const int t = size / 10;
        return TBox{a.Width + (a.Ascent + a.Descent) / 2, a.Ascent + t, a.Descent + 2 * t};
      },
      [](const TEval& call, TCanvas& canvas, int x, int top, int size) {
        const TBox a = Measure(Argument(call), canvas, size);
        const int q = (a.Ascent + a.Descent) / 4;
        const int t = size / 10;
        // The bar over the argument, the long stroke down, the short one up.
        canvas.Polyline({{x + a.Width + 2 * q, top + t},
                         {x + 2 * q - t, top + t},
                         {x + q, top + a.Ascent + a.Descent},
                         {x, top + t + a.Ascent}},
                        1);
        Draw(Argument(call), canvas, x + 2 * q, top + t, size);
      }};
}

TTypesetForm AbsoluteBars() {
  return {AbsoluteBox, [](const TEval& call, TCanvas& canvas, int x, int top, int size) {
            const TBox box = AbsoluteBox(call, canvas, size);
            const int t = (box.Ascent + box.Descent) / 10;
            const int bottom = top + box.Ascent + box.Descent - t;
            canvas.Line({x, top + t}, {x, bottom}, 1);
            canvas.Line({x + box.Width, top + t}, {x + box.Width, bottom}, 1);
            Draw(Argument(call), canvas, x + t + 1, top, size);
          }};
}

}  // namespace vorla
