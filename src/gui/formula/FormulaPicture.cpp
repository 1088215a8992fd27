#include "gui/formula/FormulaPicture.h"

#include <QPainter>

#include "core/expr/Expresion.h"
#include "gui/formula/FormulaCanvas.h"

namespace vorla {

TPictureSize FormulaExtent(const TEval& root, int size) {
  QPicture scratch;
  QPainter painter(&scratch);
  FormulaCanvas canvas(painter);
  return FormulaPictureSize(root, canvas, size);
}

std::unique_ptr<QPicture> FormulaPicture(const TEval* root, int size) {
  if (root == nullptr) return nullptr;
  auto picture = std::make_unique<QPicture>();
  QPainter painter(picture.get());
  FormulaCanvas canvas(painter);
  const TPictureSize extent = FormulaPictureSize(*root, canvas, size);
  if (!FitsFormulaLimits(extent)) return nullptr;
  DrawFormulaPicture(*root, canvas, size);
  painter.end();
  picture->setBoundingRect(QRect(0, 0, extent.Width, extent.Height));
  return picture;
}

std::unique_ptr<QPicture> FormulaPicture(const TExpresion& expression) { return FormulaPicture(expression.Root()); }

}  // namespace vorla
