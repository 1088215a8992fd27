#pragma once
// The main window: tool bar, picture area, properties panel and status bar.
// It binds its controls to the plot document of the core and paints the
// indexed picture the core calculates.

#include <QImage>
#include <QMainWindow>
#include <QStringList>

#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>

#include "core/io/Bitmap.h"
#include "core/plot/DocumentFile.h"
#include "core/plot/Navigation.h"
#include "core/plot/PlotDocument.h"
#include "core/plot/PlotSession.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QSpinBox;
class QTimer;
class QToolButton;

namespace vorla {

class PropertiesPanel;
class ProgressBox;
class TGradEditM;
class TGradientLibraryBox;
class TFMemo;
class TPaintBoxM;
class ColorSwatch;
class FormulaSpy;
class TAreaFondo;
class TfmNatural;
class UndoHistory;


// Sets a range field's text, showing its beginning.
void SetFieldText(QLineEdit* field, const QString& text);

class TFVorla : public QMainWindow {
  Q_OBJECT

 public:
  // filesFolder holds "vorla.ini", "vorla.gra" and "vlx.tmp"; documentToOpen
  // (the command line's first parameter) is opened at the first show.
  explicit TFVorla(QWidget* parent = nullptr, std::filesystem::path filesFolder = {}, QString documentToOpen = {});
  ~TFVorla() override;

  void ApplyAndCalculate();
  // A rectangle with top == bottom stands for the whole picture.
  void CalculateRegion(const PixelRect& rect);
  // Section empty: the main section of a document (clears the undo history).
  void LoadDocument(const QString& fileName, const QString& section = {});
  // Returns false when nothing was written (save dialog cancelled, write failed).
  bool SaveDocument(const QString& fileName, const QString& section = {});
  void PushUndo();
  void ClearUndo();
  bool QuerySave();
  void Undo();
  void IdleUpdate();

  // The calculated picture as painted (palette indices with the palette as
  // colour table).
  QImage Picture() const;
  int UndoCount() const;
  bool Modified() const { return modified_; }
  QString CurrentFileName() const { return currentFile_; }
  bool Animating() const;
  // Calculations run so far; colour changes and animation never add one.
  int CalculationCount() const { return calculationCount_; }

 protected:
  bool event(QEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BuildToolBar();
  void BuildStatusBar();
  void ConnectControls();
  void SetHelpContexts();
  void SetStartupGradient();

  PlotDocument DocumentFromControls();
  void ShowDocumentInControls(const PlotDocument& document);
  void ApplyLoadedDocument(LoadedDocument& loaded);
  float PictureAspect() const;
  bool ReportCompileError();

  void GradEdit1Change();
  void GradEdit1ColorIndex(int index);
  void SwatchClicked(ColorSwatch* swatch, int entry);
  void UpdateVisibility();
  void chkGradienteClick();
  void chkBucleClick();

  void pbRectDraw(const PixelRect& oldRect, Qt::MouseButtons buttons, PixelRect& newRect);
  void pbRectUp(const PixelRect& band, Qt::MouseButton button);
  void pbMouseMove(QPoint pos);
  void pbResize();
  void PanBy(int dx, int dy);
  void SetViewAndRecalculate(const ViewBounds& bounds);
  void SwapRangeTexts(QLineEdit* a, QLineEdit* b);
  PlotSession::RangeField RangeFieldOf(const QLineEdit* edit) const;
  void FilterButtonToggled(bool isMin, bool down);

  void tbAnimarClick();
  void Timer1Timer();
  void cmdAbrirClick();
  bool tbGuardarClick();
  void tbInformacionClick();
  void ExpressionTextEdited(QLineEdit* edit);
  void OpenMemoEditor(QLineEdit* edit);
  void ShowStatus(const QString& text);
  void UpdateCaption();
  void WriteViewToRangeFields();
  void ReleaseRangeFields();

  std::filesystem::path filesFolder_;
  QString documentToOpen_;

  // Controls, named as the window design names them.
  QToolButton* cmdAbrir = nullptr;
  QToolButton* tbGuardar = nullptr;
  QToolButton* tbExportar = nullptr;
  QToolButton* tbCopiar = nullptr;
  QToolButton* btnDeshacer = nullptr;
  QToolButton* tbMozaico = nullptr;
  QComboBox* ComboBox1 = nullptr;
  TAreaFondo* AreaFondo1 = nullptr;
  QToolButton* tbtAspecto = nullptr;
  QToolButton* tbAnimar = nullptr;
  QSpinBox* SpinEdit1 = nullptr;
  QToolButton* btnFilMin = nullptr;
  QToolButton* btnFilMax = nullptr;
  QToolButton* tbAjustarColor = nullptr;
  QToolButton* tbInformacion = nullptr;
  QToolButton* tbPropiedades = nullptr;
  QToolButton* tbAyuda = nullptr;
  TPaintBoxM* pb = nullptr;
  TGradEditM* GradEdit1 = nullptr;
  TGradientLibraryBox* gradientLibrary_ = nullptr;
  PropertiesPanel* panel_ = nullptr;
  QLabel* status_ = nullptr;
  ProgressBox* progreso = nullptr;
  QTimer* Timer1 = nullptr;
  TFMemo* FMemo = nullptr;
  TfmNatural* fmNatural = nullptr;
  FormulaSpy* spy_ = nullptr;

  std::unique_ptr<PlotSession> session_;
  std::unique_ptr<UndoHistory> undo_;
  QString dialogFolder_;

  Bitmap picture_;
  std::uint8_t paletteOffset_ = 128;
  bool rightDrag_ = false;
  bool pickingFilMin_ = false;
  bool pickingFilMax_ = false;
  std::optional<float> valueUnderMouse_;  // empty where f fails
  float filMin_ = 0;
  float filMax_ = 0;
  bool starting_ = true;
  bool loading_ = false;
  bool modified_ = false;
  QString currentFile_;
  int calculationCount_ = 0;
};

}  // namespace vorla
