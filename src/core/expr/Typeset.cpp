#include "core/expr/Typeset.h"

#include <functional>
#include <initializer_list>
#include <string>
#include <utility>

#include "core/expr/TypesetLayout.h"
#include "core/expr/bases2_36.h"

namespace vorla {

namespace typeset {

TBox TextBox(TCanvas& canvas, const std::string& text) {
  const int h = canvas.TextHeight(text);
  return {canvas.TextWidth(text), h / 2, h / 2};
}

namespace {

void SetCellFont(TCanvas& canvas, int cellHeight) {
  canvas.Font = {TFace::TimesNewRoman, TFontStyle::Regular, cellHeight, THeightKind::Cell};
}

}  // namespace

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

}  // namespace typeset

namespace {

using typeset::TLayout;

template <class Call>
std::pair<const TMeasureHook*, const TDrawHook*> HooksOf(const Call& call) {
  if (call.MeasureHook && call.DrawHook) return {&call.MeasureHook, &call.DrawHook};
  return {nullptr, nullptr};
}

// A catalog entry's own typesetting, when the node has one.
std::pair<const TMeasureHook*, const TDrawHook*> HooksOf(const TEval& node) {
  switch (node.Kind()) {
    case NodeKind::kFunction0: return HooksOf(static_cast<const TFun0&>(node));
    case NodeKind::kCall1:
    case NodeKind::kCallN:
    case NodeKind::kSelect: return HooksOf(static_cast<const TFun&>(node));
    default: return {nullptr, nullptr};
  }
}

TLayout LayoutFor(const TEval& node) {
  const NodeKind kind = node.Kind();
  switch (kind) {
    case NodeKind::kNumber:
    case NodeKind::kConstant:
    case NodeKind::kFunction0:
    case NodeKind::kVariable:
    case NodeKind::kMessage:
      return typeset::LeafLayout(kind);
    case NodeKind::kAdd:
    case NodeKind::kSubtract:
    case NodeKind::kMultiply:
    case NodeKind::kGreater:
    case NodeKind::kLess:
    case NodeKind::kEqual:
    case NodeKind::kNotEqual:
    case NodeKind::kAtLeast:
    case NodeKind::kAtMost:
    case NodeKind::kAnd:
    case NodeKind::kOr:
    case NodeKind::kXor:
      return typeset::RowLayout(kind);
    case NodeKind::kDivide:
    case NodeKind::kPower:
    case NodeKind::kRoot:
    case NodeKind::kLogBase:
      return typeset::StackedLayout(kind);
    case NodeKind::kCall1:
    case NodeKind::kCallN:
    case NodeKind::kSelect:
      return typeset::CallLayout(kind);
  }
  return {};
}

TBox MeasureNode(const TEval& node, TCanvas& canvas, int size) {
  if (const auto [measure, draw] = HooksOf(node); measure != nullptr) return (*measure)(node, canvas, size);
  return LayoutFor(node).Measure(node, canvas, size);
}

}  // namespace

TBox Measure(const TEval& node, TCanvas& canvas, int size) {
  const typeset::TMemoScope scope(canvas);
  return canvas.Memo->Measure(node, canvas, size, MeasureNode);
}

void Draw(const TEval& node, TCanvas& canvas, int x, int top, int size) {
  const typeset::TMemoScope scope(canvas);
  if (const auto [measure, draw] = HooksOf(node); draw != nullptr) return (*draw)(node, canvas, x, top, size);
  LayoutFor(node).Draw(node, canvas, x, top, size);
}

TBox MeasureParen(const TEval& node, TCanvas& canvas, int size, bool paren) {
  const TBox box = Measure(node, canvas, size);
  return paren ? typeset::ParenBox(canvas, box) : box;
}

void DrawParen(const TEval& node, TCanvas& canvas, int x, int top, int size, bool paren) {
  if (!paren) {
    Draw(node, canvas, x, top, size);
    return;
  }
  const TBox inner = Measure(node, canvas, size);
  typeset::DrawInParens(canvas, inner, x, top, [&](int ix, int itop) { Draw(node, canvas, ix, itop, size); });
}

bool NeedsParens(const TEval& node) {
  const NodeKind kind = node.Kind();
  return kind == NodeKind::kAdd || kind == NodeKind::kSubtract || IsComparison(kind) || IsLogic(kind);
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

bool FitsFormulaLimits(const TPictureSize& picture) {
  return picture.Width <= kMaxFormulaSide && picture.Height <= kMaxFormulaSide &&
         static_cast<long long>(picture.Width) * picture.Height <= kMaxFormulaPixels;
}

std::string FormulaTooLargeText(const TPictureSize& picture) {
  // A side past the typesetting's bound is only known to be large.
  const bool measured = picture.Width < typeset::kMaxExtent && picture.Height < typeset::kMaxExtent;
  const std::string size =
      measured ? " de " + std::to_string(picture.Width) + " x " + std::to_string(picture.Height) + " p\xEDxeles" : "";
  return "La f\xF3rmula" + size + " es demasiado grande para dibujarla: una f\xF3rmula admite hasta " +
         std::to_string(kMaxFormulaSide) + " p\xEDxeles de ancho y de alto y " +
         std::to_string(kMaxFormulaPixels / (1024 * 1024)) + " megap\xEDxeles";
}

void DrawFormulaPicture(const TEval& root, TCanvas& canvas, int size) {
  Draw(root, canvas, kFormulaMargin, kFormulaMargin, size);
}

}  // namespace vorla