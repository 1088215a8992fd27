#include "gui/plot/PropertiesPanel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFont>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>

#include <utility>

#include "gui/plot/ColorSwatch.h"
#include "gui/common/ToolButtons.h"
#include "gui/plot/FormulaSpy.h"
#include "gui/view/AreaFondo.h"

namespace vorla {
namespace {

ColorSwatch* MakeSwatch(QWidget* parent, const char* name, const QString& hint) {
  auto* swatch = new ColorSwatch(parent);
  swatch->setObjectName(QString::fromLatin1(name));
  ApplyHint(*swatch, hint);
  return swatch;
}

QLineEdit* MakeRangeEdit(QWidget* parent, const char* name, const QString& hint) {
  auto* edit = new QLineEdit(parent);
  edit->setObjectName(QString::fromLatin1(name));
  edit->setMinimumWidth(40);
  ApplyHint(*edit, hint);
  return edit;
}

QCheckBox* MakeCheck(QWidget* parent, const char* name, const QString& text) {
  auto* box = new QCheckBox(text, parent);
  box->setObjectName(QString::fromLatin1(name));
  ApplyHint(*box, text);
  return box;
}

QHBoxLayout* Row(std::initializer_list<QWidget*> widgets) {
  auto* row = new QHBoxLayout;
  row->setSpacing(4);
  for (QWidget* widget : widgets) row->addWidget(widget);
  row->addStretch(1);
  return row;
}

// An expression field with its spy sphere at its right.
QHBoxLayout* WithSphere(QWidget* field, QWidget* sphere) {
  auto* row = new QHBoxLayout;
  row->setSpacing(2);
  row->addWidget(field, 1);
  row->addWidget(sphere);
  return row;
}

}  // namespace

QComboBox* MakeExpressionCombo(QWidget* parent, const char* objectName, const QString& hint) {
  auto* combo = new QComboBox(parent);
  combo->setObjectName(QString::fromLatin1(objectName));
  combo->setEditable(true);
  combo->setInsertPolicy(QComboBox::NoInsert);
  combo->setMaxCount(50);
  combo->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
  combo->setMinimumContentsLength(6);
  ApplyHint(*combo, hint);
  // An editable combo box is read out by its text; its edit carries the name.
  combo->lineEdit()->setAccessibleName(combo->accessibleName());
  return combo;
}

PropertiesPanel::PropertiesPanel(QWidget* gradientEditor, QWidget* gradientList, QWidget* parent)
    : QWidget(parent), GradEdit1(gradientEditor), ComboBox2(gradientList) {
  setObjectName(QStringLiteral("pnlPropiedades"));
  setFixedWidth(165);
  QFont small = font();
  small.setPointSizeF(small.pointSizeF() * 0.85);
  setFont(small);

  chkGradiente = MakeCheck(this, "chkGradiente", QStringLiteral("Usar gradiente de color"));
  ColFun = MakeSwatch(this, "ColFun", QStringLiteral("Color plano"));
  lblColFun = new QLabel(QStringLiteral("Color plano"), this);
  ColFon = MakeSwatch(this, "ColFon", QStringLiteral("Color de Fondo"));
  ColZmin = MakeSwatch(this, "ColZmin", QStringLiteral("color plano mínimo"));
  chkBucleMin = MakeCheck(this, "chkBucleMin", QStringLiteral("Bucle"));
  txtZmin = MakeExpressionCombo(
      this, "txtZmin", QStringLiteral("Rango mínimo de Z|Valor de la función que toma el primer color del gradiente"));
  AreaFondo2 = MakeSpySphere(this, "AreaFondo2", QStringLiteral("Espiar rango mínimo de Z"));
  lblZmin = new QLabel(this);
  lblZmin->setObjectName(QStringLiteral("lblZmin"));
  ColZmax = MakeSwatch(this, "ColZmax", QStringLiteral("Color máximo"));
  chkBucleMax = MakeCheck(this, "chkBucleMax", QStringLiteral("Bucle"));
  txtZmax = MakeExpressionCombo(
      this, "txtZmax", QStringLiteral("Rango máximo de Z|Valor de la función que toma el último color del gradiente"));
  AreaFondo3 = MakeSpySphere(this, "AreaFondo3", QStringLiteral("Espiar rango máximo de Z"));
  lblZmax = new QLabel(this);
  lblZmax->setObjectName(QStringLiteral("lblZmax"));
  txtXmin = MakeRangeEdit(this, "txtXmin", QStringLiteral("X mínimo|Valor de x en el borde izquierdo"));
  txtYmin = MakeRangeEdit(this, "txtYmin", QStringLiteral("Y mínimo|Valor de y en el borde superior"));
  txtXmax = MakeRangeEdit(this, "txtXmax", QStringLiteral("X máximo|Valor de x en el borde derecho"));
  txtYmax = MakeRangeEdit(this, "txtYmax", QStringLiteral("Y máximo|Valor de y en el borde inferior"));

  tbRotarDer = MakeToolButton(this, "tbRotarDer", "rotarder", QStringLiteral("Rotar 90° derecha"));
  tbRotarIzq = MakeToolButton(this, "tbRotarIzq", "rotarizq", QStringLiteral("Rotar 90° izquierda"));
  tbRotar180 = MakeToolButton(this, "tbRotar180", "rotar180", QStringLiteral("Rotar 180°"));
  tbMostrarEjes = MakeToolButton(this, "tbMostrarEjes", "ejes", QStringLiteral("Mostrar Ejes"), true);
  tbFlipHorrizontal = MakeToolButton(this, "tbFlipHorrizontal", "fliph", QStringLiteral("Reflejo horizontal "));
  tbFlipVertical = MakeToolButton(this, "tbFlipVertical", "flipv", QStringLiteral("Reflejo vertical "));
  tbtNormalizar = MakeToolButton(this, "tbtNormalizar", "normalizar", QStringLiteral("Normalizar"));
  tbCentrar = MakeToolButton(this, "tbCentrar", "centrar", QStringLiteral("Centrar en origen"));

  gradientEditor->setParent(this);
  gradientList->setParent(this);

  // The upright gradient runs beside the controls it belongs to: its first
  // entries (the colours of Zmin) at the top, its last (Zmax) at the bottom,
  // the range and view controls between them.
  auto* column = new QVBoxLayout(this);
  column->setContentsMargins(3, 3, 3, 3);
  column->setSpacing(2);
  column->addWidget(chkGradiente);
  column->addLayout(Row({ColFon, new QLabel(QStringLiteral("Fondo"), this), ColFun, lblColFun}));

  auto* controls = new QVBoxLayout;
  controls->setSpacing(2);
  controls->addLayout(Row({ColZmin, new QLabel(QStringLiteral("Z mínimo:"), this), chkBucleMin}));
  controls->addLayout(WithSphere(txtZmin, AreaFondo2));
  controls->addWidget(lblZmin);
  controls->addStretch(1);

  // Each range field with its label, top edge first, as the view reads.
  auto* range = new QGridLayout;
  range->setSpacing(2);
  const std::pair<QLineEdit*, QString> fields[] = {{txtYmin, QStringLiteral("Y arriba:")},
                                                   {txtXmin, QStringLiteral("X izquierda:")},
                                                   {txtXmax, QStringLiteral("X derecha:")},
                                                   {txtYmax, QStringLiteral("Y abajo:")}};
  for (int i = 0; i < 4; ++i) {
    auto* label = new QLabel(fields[i].second, this);
    label->setBuddy(fields[i].first);
    // Read out as the label the field sits beside, not by the short hint.
    fields[i].first->setAccessibleName(QString(fields[i].second).remove(u':'));
    range->addWidget(label, i, 0);
    range->addWidget(fields[i].first, i, 1);
  }
  range->setColumnStretch(1, 1);
  controls->addLayout(range);

  auto* buttons = new QGridLayout;
  buttons->setSpacing(0);
  QToolButton* const order[] = {tbRotarDer,        tbRotarIzq,     tbRotar180,    tbMostrarEjes,
                                tbFlipHorrizontal, tbFlipVertical, tbtNormalizar, tbCentrar};
  for (int i = 0; i < 8; ++i) buttons->addWidget(order[i], i / 4, i % 4);
  controls->addLayout(buttons);
  controls->addWidget(gradientList);
  controls->addStretch(1);
  controls->addWidget(lblZmax);
  controls->addLayout(Row({ColZmax, new QLabel(QStringLiteral("Z máximo:"), this), chkBucleMax}));
  controls->addLayout(WithSphere(txtZmax, AreaFondo3));

  auto* body = new QHBoxLayout;
  body->setSpacing(3);
  body->addWidget(gradientEditor);
  body->addLayout(controls, 1);
  column->addLayout(body, 1);
}

}  // namespace vorla
