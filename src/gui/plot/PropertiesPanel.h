#pragma once
// The properties panel on the right of the main window: colour swatches, the
// colour scale fields, the gradient editor, the range fields, the view
// buttons and the gradient list. The panel only lays its controls out; the
// main window connects and reads them.

#include <QWidget>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QToolButton;

namespace vorla {

class ColorSwatch;
class TAreaFondo;

class PropertiesPanel : public QWidget {
  Q_OBJECT

 public:
  // gradientEditor and gradientList are placed where they belong; the panel
  // takes them over.
  PropertiesPanel(QWidget* gradientEditor, QWidget* gradientList, QWidget* parent = nullptr);

  QCheckBox* chkGradiente;
  ColorSwatch* ColFun;
  QLabel* lblColFun;
  ColorSwatch* ColFon;
  ColorSwatch* ColZmin;
  QCheckBox* chkBucleMin;
  QComboBox* txtZmin;
  TAreaFondo* AreaFondo2;
  QLabel* lblZmin;
  QWidget* GradEdit1;
  QLabel* lblZmax;
  ColorSwatch* ColZmax;
  QCheckBox* chkBucleMax;
  QComboBox* txtZmax;
  TAreaFondo* AreaFondo3;
  QLineEdit* txtXmin;
  QLineEdit* txtYmin;
  QLineEdit* txtXmax;
  QLineEdit* txtYmax;
  QToolButton* tbRotarDer;
  QToolButton* tbRotarIzq;
  QToolButton* tbRotar180;
  QToolButton* tbMostrarEjes;
  QToolButton* tbFlipHorrizontal;
  QToolButton* tbFlipVertical;
  QToolButton* tbtNormalizar;
  QToolButton* tbCentrar;
  QWidget* ComboBox2;
};

// An editable combo box for an expression: history in its list, Enter left
// to the owner (nothing is inserted by the box itself).
QComboBox* MakeExpressionCombo(QWidget* parent, const char* objectName, const QString& hint);

}  // namespace vorla
