#include "gui/plot/MainToolBar.h"

#include <QLineEdit>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QToolButton>

#include "gui/common/HelpTopics.h"
#include "gui/common/ToolButtons.h"
#include "gui/help/HelpContext.h"
#include "gui/input/ComboExpr.h"
#include "gui/plot/ExpressionFieldKeys.h"
#include "gui/plot/ExpressionCombo.h"

namespace vorla {

MainToolBar::MainToolBar(QWidget* functionSphere, QWidget* parent) : QToolBar(parent) {
  setObjectName(QStringLiteral("ToolBar1"));
  setMovable(false);
  setFloatable(false);
  setIconSize(QSize(20, 20));
  setContextMenuPolicy(Qt::PreventContextMenu);

  cmdAbrir = MakeToolButton(this, "cmdAbrir", "abrir", QStringLiteral("Abrir Archivo de disco"));
  tbGuardar = MakeToolButton(this, "tbGuardar", "guardar", QStringLiteral("Guardar archivo a disco"));
  tbExportar =
      MakeToolButton(this, "tbExportar", "exportar", QStringLiteral("Exportar|Exporta la imagen como BMP o JPG"));
  tbCopiar = MakeToolButton(this, "tbCopiar", "copiar",
                            QStringLiteral("Copiar|Copia al portapapeles la imagen al tamaño deseado"));
  btnDeshacer = MakeToolButton(this, "btnDeshacer", "deshacer", QStringLiteral("Deshacer|Deshace el último cambio"));
  tbMozaico = MakeToolButton(this, "tbMozaico", "mozaico", QStringLiteral("Probar mosaico"));
  ComboBox1 = MakeExpressionCombo(this, "ComboBox1", QStringLiteral("Función principal|Función f(x,y) a graficar"));
  ComboBox1->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
  SetHelpContext(*ComboBox1, static_cast<int>(HelpContext::kExpression));
  tbCalcularAlEscribir = MakeToolButton(
      this, "tbCalcularAlEscribir", "alescribir",
      QStringLiteral("Calcular al escribir|Calcula la imagen mientras se escribe la función o la escala"), true);
  tbtAspecto = MakeToolButton(this, "tbtAspecto", "aspecto",
                              QStringLiteral("Bloquear aspecto|Bloquea aspecto al hacer zoom con el mouse"), true);
  tbtAspecto->setChecked(true);
  tbAnimar = MakeToolButton(this, "tbAnimar", "animar", QStringLiteral("Activa/Desactiva animación"), true);
  SpinEdit1 = new QSpinBox(this);
  SpinEdit1->setObjectName(QStringLiteral("SpinEdit1"));
  SpinEdit1->setRange(-100, 100);
  SpinEdit1->setValue(1);
  ApplyHint(*SpinEdit1, QStringLiteral("Velocidad y dirección de animación"));
  SetHelpContext(*SpinEdit1, static_cast<int>(HelpContext::kAnimationSpeed));
  btnFilMin = MakeToolButton(this, "btnFilMin", "filmin",
                             QStringLiteral("Filtrar mínimo|Haga click en la imagen para seleccionar mínimo"), true);
  btnFilMax = MakeToolButton(this, "btnFilMax", "filmax",
                             QStringLiteral("Filtrar máximo|Haga click en la imagen para seleccionar máximo"), true);
  tbAjustarColor = MakeToolButton(this, "tbAjustarColor", "ajustarcolor", QStringLiteral("Ajustar colores"));
  tbInformacion =
      MakeToolButton(this, "tbInformacion", "informacion", QStringLiteral("Información|Información del último cálculo"));
  tbPropiedades =
      MakeToolButton(this, "tbPropiedades", "propiedades", QStringLiteral("Mostrar/Ocultar propiedades "), true);
  tbPropiedades->setChecked(true);
  tbAyuda = MakeToolButton(this, "tbAyuda", "ayuda", QStringLiteral("Ayuda"));

  for (QWidget* widget : std::initializer_list<QWidget*>{
           cmdAbrir, tbGuardar, tbExportar, tbCopiar, btnDeshacer, tbMozaico, ComboBox1, functionSphere,
           tbCalcularAlEscribir, tbtAspecto,
           tbAnimar, SpinEdit1, btnFilMin, btnFilMax, tbAjustarColor, tbInformacion, tbPropiedades, tbAyuda})
    addWidget(widget);

  const std::pair<QToolButton*, QKeySequence> shortcuts[] = {
      {cmdAbrir, QKeySequence(Qt::CTRL | Qt::Key_O)},   {tbGuardar, QKeySequence(Qt::CTRL | Qt::Key_S)},
      {tbExportar, QKeySequence(Qt::CTRL | Qt::Key_E)}, {tbCopiar, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C)},
      {btnDeshacer, QKeySequence(Qt::CTRL | Qt::Key_Z)}, {tbPropiedades, QKeySequence(Qt::Key_F11)}};
  for (const auto& [button, keys] : shortcuts) AddShortcut(*button, keys);

  // Qt's own button for the tools that do not fit.
  if (auto* more = findChild<QToolButton*>(QStringLiteral("qt_toolbar_ext_button")))
    more->setAccessibleName(QStringLiteral("Más herramientas"));
  for (ToolCommand command :
       {ToolCommand::kOpen, ToolCommand::kSave, ToolCommand::kExport, ToolCommand::kCopy, ToolCommand::kUndo,
        ToolCommand::kMosaic, ToolCommand::kAdjustColors, ToolCommand::kInformation, ToolCommand::kHelp})
    connect(CommandButton(command), &QToolButton::clicked, this, [this, command] { emit commandClicked(command); });
  connect(tbAnimar, &QToolButton::clicked, this, &MainToolBar::animationClicked);
  connect(tbPropiedades, &QToolButton::toggled, this, &MainToolBar::propertiesToggled);
  connect(tbCalcularAlEscribir, &QToolButton::toggled, this, &MainToolBar::typingCalculationToggled);
  connect(ComboBox1, &QComboBox::editTextChanged, this, &MainToolBar::functionTextChanged);
  for (FilterSide side : {FilterSide::kBelow, FilterSide::kAbove})
    connect(FilterButton(side), &QToolButton::toggled, this, [this, side](bool on) { emit filterToggled(side, on); });
  auto* keys = new ExpressionFieldKeys(ComboBox1, ComboBox1->lineEdit());
  connect(keys, &ExpressionFieldKeys::enterPressed, this, &MainToolBar::applyRequested);
  connect(keys, &ExpressionFieldKeys::doubleClicked, this, &MainToolBar::functionEditRequested);
}

QString MainToolBar::FunctionText() const { return ComboBox1->currentText(); }
void MainToolBar::SetFunctionText(const QString& text) { ComboBox1->setEditText(text); }
QString MainToolBar::FunctionCaption() const { return ComboBox1->toolTip(); }
void MainToolBar::RememberFunction() { RememberExpression(*ComboBox1); }
void MainToolBar::SetFunctionList(const TFunctionList* functions) { ComboBox1->SetFunctionList(functions); }

void MainToolBar::SetTypingCalculation(bool on) {
  const QSignalBlocker quiet(tbCalcularAlEscribir);
  tbCalcularAlEscribir->setChecked(on);
}

bool MainToolBar::KeepsAspect() const { return tbtAspecto->isChecked(); }
int MainToolBar::Speed() const { return SpinEdit1->value(); }
void MainToolBar::SetSpeed(int speed) { SpinEdit1->setValue(speed); }
void MainToolBar::ShowAnimating(bool animating) { tbAnimar->setChecked(animating); }
bool MainToolBar::FilterOn(FilterSide side) const { return FilterButton(side)->isChecked(); }
void MainToolBar::SetFilterOn(FilterSide side, bool on) { FilterButton(side)->setChecked(on); }

QToolButton* MainToolBar::CommandButton(ToolCommand command) const {
  switch (command) {
    case ToolCommand::kOpen: return cmdAbrir;
    case ToolCommand::kSave: return tbGuardar;
    case ToolCommand::kExport: return tbExportar;
    case ToolCommand::kCopy: return tbCopiar;
    case ToolCommand::kUndo: return btnDeshacer;
    case ToolCommand::kMosaic: return tbMozaico;
    case ToolCommand::kAdjustColors: return tbAjustarColor;
    case ToolCommand::kInformation: return tbInformacion;
    case ToolCommand::kHelp: return tbAyuda;
  }
  return nullptr;
}

void MainToolBar::SetCommandEnabled(ToolCommand command, bool enabled) { CommandButton(command)->setEnabled(enabled); }

}  // namespace vorla
