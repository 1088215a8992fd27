#pragma once
// The editable combo boxes of the function and the colour scale: the
// expression in the edit, the texts calculated before in the list.

class QComboBox;
class QString;
class QWidget;

namespace vorla {

class TComboExpr;

// Enter is left to the owner: nothing is inserted by the box itself.
TComboExpr* MakeExpressionCombo(QWidget* parent, const char* objectName, const QString& hint);

// The current text joins the top of the list unless the list has it already.
void RememberExpression(QComboBox& combo);

}  // namespace vorla
