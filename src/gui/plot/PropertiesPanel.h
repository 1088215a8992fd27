#pragma once
// The properties panel on the right of the main window: the gradient switch
// and the fixed-colour swatches, the colour scale fields, the gradient
// editor, the plane rectangle's fields, the view buttons and the gradient
// list. It keeps its controls to itself: the window reads and sets values
// and hears what the user did through signals.

#include <QColor>
#include <QWidget>

#include <array>

#include "gui/plot/ExpressionField.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QToolButton;

namespace vorla {

class ColorSwatch;
class TAreaFondo;
class TComboExpr;
class TFunctionList;

// The picture's fixed colours, by their palette entry.
enum class FixedColor { kBackground = 0, kBelowScale = 1, kAboveScale = 2, kFlat = 3 };
enum class ViewCommand { kRotateRight, kRotateLeft, kRotate180, kFlipHorizontal, kFlipVertical, kNormalize, kCenter };

class PropertiesPanel : public QWidget {
  Q_OBJECT

 public:
  // The gradient editor, the gradient list and the spy spheres of the two
  // scale fields are placed where they belong; the panel takes them over.
  struct Parts {
    QWidget* gradientEditor;
    QWidget* gradientList;
    QWidget* zminSphere;
    QWidget* zmaxSphere;
  };
  explicit PropertiesPanel(const Parts& parts, QWidget* parent = nullptr);

  bool UsesGradient() const;
  bool WrapsBelow() const;
  bool WrapsAbove() const;
  // Switching the gradient off clears both "Bucle" boxes, as a click does.
  void SetUsesGradient(bool on);
  void SetWrapsBelow(bool on);
  void SetWrapsAbove(bool on);

  // The texts of the scale and range fields (not kFunc, which is the tool bar's).
  QString FieldText(ExpressionField field) const;
  // A range field shows the beginning of a long text, where the sign and the
  // leading digits are.
  void SetFieldText(ExpressionField field, const QString& text);
  // The field's short hint, the multi-line editor's caption.
  QString FieldCaption(ExpressionField field) const;
  // The user typed in the range field since the last calculation.
  bool RangeFieldTyped(ExpressionField field) const;
  void ForgetRangeTyping();
  // The scale texts join their fields' histories.
  void RememberScaleTexts();
  // The names the scale bounds can use, for their fields' picker.
  void SetScaleFunctionList(const TFunctionList* functions);

  // The controls in the order Tab visits them: as the panel reads, top to
  // bottom, the range fields from the top edge round to the bottom one.
  QList<QWidget*> TabOrder() const;

  void ShowFixedColors(const std::array<QColor, 4>& colors);  // by FixedColor entry
  // The found range as the labels show it.
  void ShowFoundRange(const QString& min, const QString& max);

 signals:
  void gradientSwitched();
  void wrapSwitched();
  void fixedColorClicked(vorla::FixedColor which, QColor current);
  void viewCommandClicked(vorla::ViewCommand command);
  void axesToggled(bool shown);
  // Enter in a field or in a "Bucle" box.
  void applyRequested();
  void multiLineEditRequested(vorla::ExpressionField field);
  // Any change of a scale field's text: typed, picked or set.
  void scaleTextChanged();

 private:
  void BuildControls();
  void LayOut(const Parts& parts);
  void Connect();
  void UpdateVisibility();
  QLineEdit* Edit(ExpressionField field) const;
  QWidget* Field(ExpressionField field) const;

  QWidget* gradientEditor_;
  QWidget* gradientList_;
  QCheckBox* chkGradiente;
  ColorSwatch* ColFun;
  QLabel* lblColFun;
  ColorSwatch* ColFon;
  ColorSwatch* ColZmin;
  QCheckBox* chkBucleMin;
  TComboExpr* txtZmin;
  TAreaFondo* AreaFondo2;
  QLabel* lblZmin;
  QLabel* lblZmax;
  ColorSwatch* ColZmax;
  QCheckBox* chkBucleMax;
  TComboExpr* txtZmax;
  TAreaFondo* AreaFondo3;
  QLineEdit* txtXmin;
  QLineEdit* txtYmin;
  QLineEdit* txtXmax;
  QLineEdit* txtYmax;
  std::array<QToolButton*, 7> viewButtons_{};  // by ViewCommand
  QToolButton* tbMostrarEjes;
};

}  // namespace vorla
