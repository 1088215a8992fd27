#include "gui/plot/ExpressionFieldKeys.h"

#include <QKeyEvent>
#include <QLineEdit>

#include <algorithm>

#include "core/expr/Expresion.h"
#include "gui/common/CoreText.h"
#include "gui/input/ComboExpr.h"

namespace vorla {

ExpressionFieldKeys::ExpressionFieldKeys(QWidget* field, QLineEdit* edit) : QObject(field), edit_(edit) {
  // Keys reach an editable combo box, which hands them to its line edit past
  // that edit's filters: Enter is caught on the field, double-clicks on the edit.
  field->installEventFilter(this);
  if (edit != field) edit->installEventFilter(this);
  edit->setAcceptDrops(false);  // a dropped document goes to the window, not into the text
  connect(edit, &QLineEdit::textEdited, this, &ExpressionFieldKeys::TextEdited);
  // An expression box takes Enter first (it lets its picker open again) and
  // then reports it.
  if (auto* box = qobject_cast<TComboExpr*>(field)) {
    fieldReportsEnter_ = true;
    connect(box, &TComboExpr::EnterPressed, this, &ExpressionFieldKeys::enterPressed);
  }
}

bool ExpressionFieldKeys::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress) {
    const int key = static_cast<QKeyEvent*>(event)->key();
    if (!fieldReportsEnter_ && (key == Qt::Key_Return || key == Qt::Key_Enter)) {
      emit enterPressed();
      return true;
    }
  } else if (event->type() == QEvent::MouseButtonDblClick && watched == edit_) {
    emit doubleClicked();
    return true;
  }
  return QObject::eventFilter(watched, event);
}

void ExpressionFieldKeys::TextEdited() {
  const QString text = edit_->text();
  const QString normalized = FromCore(TExpresion::NormalizeOperators(ToCore(text)));
  if (normalized == text) return;
  // Two typed characters became one: the caret goes back one place.
  const int caret = edit_->cursorPosition();
  edit_->setText(normalized);
  edit_->setCursorPosition(std::max(0, caret - 1));
}

}  // namespace vorla
