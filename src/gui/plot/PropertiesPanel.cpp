#include "gui/plot/PropertiesPanel.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFont>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>

#include <utility>

#include "gui/common/HelpTopics.h"
#include "gui/common/ToolButtons.h"
#include "gui/help/HelpContext.h"
#include "gui/input/ComboExpr.h"
#include "gui/plot/ColorSwatch.h"
#include "gui/plot/ExpressionCombo.h"
#include "gui/plot/ExpressionFieldKeys.h"

namespace vorla {
namespace {

constexpr int kScaleHelp = static_cast<int>(HelpContext::kExpression);
constexpr int kGradientHelp = static_cast<int>(HelpContext::kUseGradient);
constexpr int kWrapHelp = static_cast<int>(HelpContext::kLoop);
constexpr int kRangeHelp = static_cast<int>(HelpContext::kRange);
constexpr int kGradientListHelp = static_cast<int>(HelpContext::kGradientLibrary);

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
  SetHelpContext(*edit, kRangeHelp);
  return edit;
}

QCheckBox* MakeCheck(QWidget* parent, const char* name, const QString& text, int helpContext) {
  auto* box = new QCheckBox(text, parent);
  box->setObjectName(QString::fromLatin1(name));
  ApplyHint(*box, text);
  SetHelpContext(*box, helpContext);
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

// Enter in a "Bucle" box asks for the calculation, as in the fields.
class EnterKey : public QObject {
 public:
  EnterKey(QWidget* watched, std::function<void()> pressed) : QObject(watched), pressed_(std::move(pressed)) {
    watched->installEventFilter(this);
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::KeyPress) {
      const int key = static_cast<QKeyEvent*>(event)->key();
      if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        pressed_();
        return true;
      }
    }
    return QObject::eventFilter(watched, event);
  }

 private:
  std::function<void()> pressed_;
};

}  // namespace

PropertiesPanel::PropertiesPanel(const Parts& parts, QWidget* parent)
    : QWidget(parent), gradientEditor_(parts.gradientEditor), gradientList_(parts.gradientList) {
  setObjectName(QStringLiteral("pnlPropiedades"));
  setFixedWidth(165);
  QFont small = font();
  small.setPointSizeF(small.pointSizeF() * 0.85);
  setFont(small);
  BuildControls();
  SetHelpContext(*parts.gradientList, kGradientListHelp);
  LayOut(parts);
  Connect();
}

QList<QWidget*> PropertiesPanel::TabOrder() const {
  QList<QWidget*> order{chkGradiente,    ColFon,          ColFun,          gradientEditor_, ColZmin,
                        chkBucleMin,     txtZmin,         txtYmin,         txtXmin,         txtXmax,
                        txtYmax,         viewButtons_[0], viewButtons_[1], viewButtons_[2], tbMostrarEjes,
                        viewButtons_[3], viewButtons_[4], viewButtons_[5], viewButtons_[6]};
  // The gradient list's own controls: its box (by the edit that takes its
  // focus, made after the buttons) and buttons.
  for (QWidget* control : gradientList_->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
    if ((control->focusPolicy() & Qt::TabFocus) != 0)
      order.append(control->focusProxy() != nullptr ? control->focusProxy() : control);
  order.append({ColZmax, chkBucleMax, txtZmax});
  return order;
}

void PropertiesPanel::BuildControls() {
  chkGradiente = MakeCheck(this, "chkGradiente", QStringLiteral("Usar gradiente de color"), kGradientHelp);
  ColFun = MakeSwatch(this, "ColFun", QStringLiteral("Color plano"));
  lblColFun = new QLabel(QStringLiteral("Color plano"), this);
  ColFon = MakeSwatch(this, "ColFon", QStringLiteral("Color de Fondo"));
  ColZmin = MakeSwatch(this, "ColZmin", QStringLiteral("color plano mínimo"));
  chkBucleMin = MakeCheck(this, "chkBucleMin", QStringLiteral("Bucle"), kWrapHelp);
  txtZmin = MakeExpressionCombo(
      this, "txtZmin", QStringLiteral("Rango mínimo de Z|Valor de la función que toma el primer color del gradiente"));
  lblZmin = new QLabel(this);
  lblZmin->setObjectName(QStringLiteral("lblZmin"));
  ColZmax = MakeSwatch(this, "ColZmax", QStringLiteral("Color máximo"));
  chkBucleMax = MakeCheck(this, "chkBucleMax", QStringLiteral("Bucle"), kWrapHelp);
  txtZmax = MakeExpressionCombo(
      this, "txtZmax", QStringLiteral("Rango máximo de Z|Valor de la función que toma el último color del gradiente"));
  lblZmax = new QLabel(this);
  lblZmax->setObjectName(QStringLiteral("lblZmax"));
  // Captions from the start: the first range found, which comes after the
  // window is shown, must not change the layout and so the picture's size.
  ShowFoundRange(QString(), QString());
  for (QComboBox* scale : {txtZmin, txtZmax}) SetHelpContext(*scale, kScaleHelp);
  txtXmin = MakeRangeEdit(this, "txtXmin", QStringLiteral("X mínimo|Valor de x en el borde izquierdo"));
  txtYmin = MakeRangeEdit(this, "txtYmin", QStringLiteral("Y mínimo|Valor de y en el borde superior"));
  txtXmax = MakeRangeEdit(this, "txtXmax", QStringLiteral("X máximo|Valor de x en el borde derecho"));
  txtYmax = MakeRangeEdit(this, "txtYmax", QStringLiteral("Y máximo|Valor de y en el borde inferior"));

  // In ViewCommand order.
  viewButtons_ = {MakeToolButton(this, "tbRotarDer", "rotarder", QStringLiteral("Rotar 90° derecha")),
                  MakeToolButton(this, "tbRotarIzq", "rotarizq", QStringLiteral("Rotar 90° izquierda")),
                  MakeToolButton(this, "tbRotar180", "rotar180", QStringLiteral("Rotar 180°")),
                  MakeToolButton(this, "tbFlipHorrizontal", "fliph", QStringLiteral("Reflejo horizontal ")),
                  MakeToolButton(this, "tbFlipVertical", "flipv", QStringLiteral("Reflejo vertical ")),
                  MakeToolButton(this, "tbtNormalizar", "normalizar", QStringLiteral("Normalizar")),
                  MakeToolButton(this, "tbCentrar", "centrar", QStringLiteral("Centrar en origen"))};
  tbMostrarEjes = MakeToolButton(this, "tbMostrarEjes", "ejes", QStringLiteral("Mostrar Ejes"), true);
}

// The upright gradient runs beside the controls it belongs to: its first
// entries (the colours of Zmin) at the top, its last (Zmax) at the bottom,
// the range and view controls between them.
void PropertiesPanel::LayOut(const Parts& parts) {
  for (QWidget* part : {parts.gradientEditor, parts.gradientList, parts.zminSphere, parts.zmaxSphere})
    part->setParent(this);
  auto* column = new QVBoxLayout(this);
  column->setContentsMargins(3, 3, 3, 3);
  column->setSpacing(2);
  column->addWidget(chkGradiente);
  column->addLayout(Row({ColFon, new QLabel(QStringLiteral("Fondo"), this), ColFun, lblColFun}));

  auto* controls = new QVBoxLayout;
  controls->setSpacing(2);
  controls->addLayout(Row({ColZmin, new QLabel(QStringLiteral("Z mínimo:"), this), chkBucleMin}));
  controls->addLayout(WithSphere(txtZmin, parts.zminSphere));
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
  QToolButton* const order[] = {viewButtons_[0], viewButtons_[1], viewButtons_[2], tbMostrarEjes,
                                viewButtons_[3], viewButtons_[4], viewButtons_[5], viewButtons_[6]};
  for (int i = 0; i < 8; ++i) buttons->addWidget(order[i], i / 4, i % 4);
  controls->addLayout(buttons);
  controls->addWidget(parts.gradientList);
  controls->addStretch(1);
  controls->addWidget(lblZmax);
  controls->addLayout(Row({ColZmax, new QLabel(QStringLiteral("Z máximo:"), this), chkBucleMax}));
  controls->addLayout(WithSphere(txtZmax, parts.zmaxSphere));

  auto* body = new QHBoxLayout;
  body->setSpacing(3);
  body->addWidget(parts.gradientEditor);
  body->addLayout(controls, 1);
  column->addLayout(body, 1);
}

void PropertiesPanel::Connect() {
  connect(chkGradiente, &QCheckBox::clicked, this, [this](bool on) {
    SetUsesGradient(on);
    emit gradientSwitched();
  });
  for (QCheckBox* wrap : {chkBucleMin, chkBucleMax}) {
    connect(wrap, &QCheckBox::clicked, this, [this] {
      UpdateVisibility();
      emit wrapSwitched();
    });
    new EnterKey(wrap, [this] { emit applyRequested(); });
  }
  const std::pair<ColorSwatch*, FixedColor> swatches[] = {{ColFon, FixedColor::kBackground},
                                                          {ColZmin, FixedColor::kBelowScale},
                                                          {ColZmax, FixedColor::kAboveScale},
                                                          {ColFun, FixedColor::kFlat}};
  for (const auto& [swatch, which] : swatches)
    connect(swatch, &ColorSwatch::clicked, this,
            [this, swatch = swatch, which = which] { emit fixedColorClicked(which, swatch->Color()); });
  for (std::size_t i = 0; i < viewButtons_.size(); ++i)
    connect(viewButtons_[i], &QToolButton::clicked, this,
            [this, i] { emit viewCommandClicked(static_cast<ViewCommand>(i)); });
  connect(tbMostrarEjes, &QToolButton::toggled, this, &PropertiesPanel::axesToggled);
  for (TComboExpr* scale : {txtZmin, txtZmax})
    connect(scale, &QComboBox::editTextChanged, this, &PropertiesPanel::scaleTextChanged);
  for (ExpressionField field : {ExpressionField::kZmin, ExpressionField::kZmax, ExpressionField::kXmin,
                                ExpressionField::kYmin, ExpressionField::kXmax, ExpressionField::kYmax}) {
    auto* keys = new ExpressionFieldKeys(Field(field), Edit(field));
    connect(keys, &ExpressionFieldKeys::enterPressed, this, &PropertiesPanel::applyRequested);
    connect(keys, &ExpressionFieldKeys::doubleClicked, this, [this, field] { emit multiLineEditRequested(field); });
  }
}

bool PropertiesPanel::UsesGradient() const { return chkGradiente->isChecked(); }
bool PropertiesPanel::WrapsBelow() const { return chkBucleMin->isChecked(); }
bool PropertiesPanel::WrapsAbove() const { return chkBucleMax->isChecked(); }

void PropertiesPanel::SetUsesGradient(bool on) {
  chkGradiente->setChecked(on);
  if (!on) {
    chkBucleMin->setChecked(false);
    chkBucleMax->setChecked(false);
  }
  UpdateVisibility();
}

void PropertiesPanel::SetWrapsBelow(bool on) {
  chkBucleMin->setChecked(on);
  UpdateVisibility();
}

void PropertiesPanel::SetWrapsAbove(bool on) {
  chkBucleMax->setChecked(on);
  UpdateVisibility();
}

void PropertiesPanel::UpdateVisibility() {
  const bool gradient = chkGradiente->isChecked();
  gradientEditor_->setVisible(gradient);
  ColFun->setVisible(!gradient);
  lblColFun->setVisible(!gradient);
  chkBucleMin->setVisible(gradient);
  chkBucleMax->setVisible(gradient);
  ColZmin->setVisible(!chkBucleMin->isChecked());
  ColZmax->setVisible(!chkBucleMax->isChecked());
}

QWidget* PropertiesPanel::Field(ExpressionField field) const {
  switch (field) {
    case ExpressionField::kZmin: return txtZmin;
    case ExpressionField::kZmax: return txtZmax;
    default: return Edit(field);
  }
}

QLineEdit* PropertiesPanel::Edit(ExpressionField field) const {
  switch (field) {
    case ExpressionField::kZmin: return txtZmin->lineEdit();
    case ExpressionField::kZmax: return txtZmax->lineEdit();
    case ExpressionField::kXmin: return txtXmin;
    case ExpressionField::kYmin: return txtYmin;
    case ExpressionField::kXmax: return txtXmax;
    case ExpressionField::kYmax: return txtYmax;
    case ExpressionField::kFunc: break;
  }
  return nullptr;
}

QString PropertiesPanel::FieldText(ExpressionField field) const { return Edit(field)->text(); }

void PropertiesPanel::SetFieldText(ExpressionField field, const QString& text) {
  QLineEdit* edit = Edit(field);
  edit->setText(text);
  edit->setCursorPosition(0);
}

QString PropertiesPanel::FieldCaption(ExpressionField field) const { return Field(field)->toolTip(); }

bool PropertiesPanel::RangeFieldTyped(ExpressionField field) const { return Edit(field)->isModified(); }

void PropertiesPanel::ForgetRangeTyping() {
  for (QLineEdit* field : {txtXmin, txtYmin, txtXmax, txtYmax}) field->setModified(false);
}

void PropertiesPanel::RememberScaleTexts() {
  RememberExpression(*txtZmin);
  RememberExpression(*txtZmax);
}

void PropertiesPanel::SetScaleFunctionList(const TFunctionList* functions) {
  txtZmin->SetFunctionList(functions);
  txtZmax->SetFunctionList(functions);
}

void PropertiesPanel::ShowFixedColors(const std::array<QColor, 4>& colors) {
  ColFon->SetColor(colors[static_cast<int>(FixedColor::kBackground)]);
  ColZmin->SetColor(colors[static_cast<int>(FixedColor::kBelowScale)]);
  ColZmax->SetColor(colors[static_cast<int>(FixedColor::kAboveScale)]);
  ColFun->SetColor(colors[static_cast<int>(FixedColor::kFlat)]);
}

void PropertiesPanel::ShowFoundRange(const QString& min, const QString& max) {
  lblZmax->setText(QStringLiteral("Máximo: ") + max);
  lblZmin->setText(QStringLiteral("Mínimo: ") + min);
}

}  // namespace vorla
