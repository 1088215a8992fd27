#include "gui/plot/ExpressionCombo.h"

#include <QComboBox>
#include <QLineEdit>

#include "gui/common/ToolButtons.h"
#include "gui/input/ComboExpr.h"

namespace vorla {

TComboExpr* MakeExpressionCombo(QWidget* parent, const char* objectName, const QString& hint) {
  auto* combo = new TComboExpr(parent);
  combo->setObjectName(QString::fromLatin1(objectName));
  combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  combo->setMinimumContentsLength(6);
  ApplyHint(*combo, hint);
  // An editable combo box is read out by its text; its edit carries the name.
  combo->lineEdit()->setAccessibleName(combo->accessibleName());
  return combo;
}

void RememberExpression(QComboBox& combo) {
  const QString text = combo.currentText();
  if (combo.findText(text, Qt::MatchFixedString | Qt::MatchCaseSensitive) >= 0) return;
  combo.insertItem(0, text);
  combo.setEditText(text);
}

}  // namespace vorla
