#pragma once
// What every expression field does with the keyboard and the mouse: Enter
// asks for the calculation, a double-click for the multi-line editor, and
// typed operator shorthands ("**", "//") become their operators at once.

#include <QObject>

class QLineEdit;
class QWidget;

namespace vorla {

class ExpressionFieldKeys : public QObject {
  Q_OBJECT

 public:
  // field is the control (a combo box or the edit itself), edit its text.
  ExpressionFieldKeys(QWidget* field, QLineEdit* edit);

 signals:
  void enterPressed();
  void doubleClicked();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void TextEdited();

  QLineEdit* edit_;
  bool fieldReportsEnter_ = false;
};

}  // namespace vorla
