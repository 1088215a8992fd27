#pragma once
// The main window's tool bar, left to right: open, save, export, copy, undo,
// mosaic, the function field, calculating while typing, aspect lock,
// animation and its speed, the two filters, colour adjustment, information,
// properties and help. It keeps its controls to itself and speaks in
// commands and values.

#include <QToolBar>

#include "gui/plot/FilterPicker.h"

class QComboBox;
class QSpinBox;
class QToolButton;

namespace vorla {

class TComboExpr;
class TFunctionList;

enum class ToolCommand { kOpen, kSave, kExport, kCopy, kUndo, kMosaic, kAdjustColors, kInformation, kHelp };

class MainToolBar : public QToolBar {
  Q_OBJECT

 public:
  // functionSphere, the spy sphere of the function field, sits after it.
  explicit MainToolBar(QWidget* functionSphere, QWidget* parent = nullptr);

  QString FunctionText() const;
  void SetFunctionText(const QString& text);
  // The function's text joins the history of the field unless already there.
  void RememberFunction();
  // The function field's short hint, the multi-line editor's caption.
  QString FunctionCaption() const;
  // The names the function can use, for the function field's picker.
  void SetFunctionList(const TFunctionList* functions);

  // Shows the "Calcular al escribir" button down or up, saying nothing.
  void SetTypingCalculation(bool on);

  bool KeepsAspect() const;
  int Speed() const;
  void SetSpeed(int speed);
  void ShowAnimating(bool animating);
  bool FilterOn(FilterSide side) const;
  void SetFilterOn(FilterSide side, bool on);
  void SetCommandEnabled(ToolCommand command, bool enabled);

 signals:
  void commandClicked(vorla::ToolCommand command);
  void animationClicked();
  // By the user or by SetFilterOn.
  void filterToggled(vorla::FilterSide side, bool on);
  void propertiesToggled(bool shown);
  void applyRequested();
  void functionEditRequested();
  // Any change of the function's text: typed, picked or set.
  void functionTextChanged();
  void typingCalculationToggled(bool on);

 private:
  QToolButton* FilterButton(FilterSide side) const { return side == FilterSide::kBelow ? btnFilMin : btnFilMax; }
  QToolButton* CommandButton(ToolCommand command) const;

  QToolButton* cmdAbrir;
  QToolButton* tbGuardar;
  QToolButton* tbExportar;
  QToolButton* tbCopiar;
  QToolButton* btnDeshacer;
  QToolButton* tbMozaico;
  TComboExpr* ComboBox1;
  QToolButton* tbCalcularAlEscribir;
  QToolButton* tbtAspecto;
  QToolButton* tbAnimar;
  QSpinBox* SpinEdit1;
  QToolButton* btnFilMin;
  QToolButton* btnFilMax;
  QToolButton* tbAjustarColor;
  QToolButton* tbInformacion;
  QToolButton* tbPropiedades;
  QToolButton* tbAyuda;
};

}  // namespace vorla
