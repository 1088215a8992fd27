#pragma once
// The main window: tool bar, picture area, properties panel and status bar.
// It wires its parts together: the tool bar and the panel (controls), the
// document binder and commands (documents and undo), the animation, the
// filter picker and the paint box, and runs the picture calculation of the
// core over them.

#include <QImage>
#include <QMainWindow>

#include <exception>
#include <filesystem>
#include <memory>
#include <optional>
#include <vector>

#include "core/io/Bitmap.h"
#include "core/plot/CalculationService.h"
#include "core/plot/Navigation.h"
#include "core/plot/PlotSession.h"
#include "gui/common/ElidedLabel.h"
#include "gui/plot/DocumentCommands.h"
#include "gui/plot/FilterPicker.h"

class QLabel;
class QShortcut;

namespace vorla {

class DocumentBinder;
class FormulaSpy;
class MainToolBar;
class PaletteAnimation;
class ProgressBox;
class PropertiesPanel;
class TFMemo;
class TfmAjusCol;
class TfmExportar;
class TfmMozaico;
class TGradEditM;
class TGradientLibraryBox;
class TPaintBoxM;
class TypingCalculation;
enum class ExpressionField;
enum class FixedColor;
enum class ToolCommand;
enum class ViewCommand;

class CalculationRunner;

class TFVorla : public QMainWindow, private DocumentHost {
  Q_OBJECT

 public:
  // filesFolder holds "vorla.ini", "vorla.gra" and "vlx.tmp"; documentToOpen
  // (the command line's first parameter) is opened at the first show.
  explicit TFVorla(QWidget* parent = nullptr, std::filesystem::path filesFolder = {}, QString documentToOpen = {});
  ~TFVorla() override;

  void ApplyAndCalculate();
  // Starts calculating the whole picture for the view on screen; the window
  // shows it when it comes. A newer request replaces the one in flight.
  void CalculatePicture();
  bool Calculating() const { return request_ != nullptr; }
  void LoadDocument(const QString& fileName, const QString& section = {});
  // Returns false when nothing was written (save dialog cancelled, write failed).
  bool SaveDocument(const QString& fileName, const QString& section = {}) {
    return documents_->Save(fileName, section);
  }
  void Undo() { documents_->Undo(); }
  void IdleUpdate();

  // The calculated picture as painted (palette indices with the palette as
  // colour table).
  QImage Picture() const;
  int UndoCount() const { return documents_->UndoCount(); }
  bool Modified() const { return documents_->Modified(); }
  QString CurrentFileName() const { return documents_->CurrentFile(); }
  bool Animating() const;
  // Rectangles calculated so far (a whole picture, or each strip of a pan);
  // colour changes and animation never add one.
  int CalculationCount() const { return calculationCount_; }

 protected:
  bool event(QEvent* event) override;
  void showEvent(QShowEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  // DocumentHost
  PlotDocument CurrentDocument() override;
  float PictureAspect() const override;
  void ShowLoaded(LoadedDocument& loaded) override;
  void CalculateReplaced() override;
  void ShowStatus(const QString& text) override;

  void BuildPictureArea();
  void ChainTabOrder();
  // The spy spheres of the three expressions, for the tool bar and the panel.
  void BuildSpy(QWidget*& functionSphere, QWidget*& zminSphere, QWidget*& zmaxSphere);
  void BuildStatusBar();
  void ConnectControls();
  void ConnectPaintBox();
  void RegisterDocumentTypeAfterFirstRun();
  bool ReportCompileError();
  // The function and scale texts as they stand, calculated when they
  // compile; otherwise the status bar says why and nothing changes.
  void CalculateWhileTyping();
  // A newer typed text makes the preview in flight pointless.
  void DropTypingPreview();

  // The calculation on the service (fmVorlaCalculation.cpp).
  struct Request;
  // The pan strips of a shifted copy of the picture.
  void CalculateStrips(const Bitmap& shifted, std::vector<PixelRect> strips);
  // A preview of texts being typed shows its picture only: the undo history,
  // the modified flag and the range fields' typing are left as they were.
  enum class CalculationPurpose { kDocument, kTypingPreview };
  void StartCalculation(const Bitmap& base, std::vector<PixelRect> rects,
                        CalculationPurpose purpose = CalculationPurpose::kDocument);
  void CalculationProgressed(quint64 id, int percent);
  void CalculationFinished(quint64 id, JobEnd end, const std::exception_ptr& failure);
  void TakePicture(Request& request);
  void ReportCalculationFailure(const std::exception_ptr& failure);
  void CancelCalculation();
  void RestorePicture(const QString& status);
  // The size of the picture to calculate for the picture area.
  QSize PictureSize() const;
  void ShowDocument(const PlotDocument& document);
  void UpdateCaption(const QString& fileName);

  // The export, mosaic and colour adjustment windows (fmVorlaDialogs.cpp).
  void CreateDialogs();
  PlotDocument ExportDocument();

  // Colours, animation and readouts (fmVorlaColors.cpp).
  void GradientChanged();
  void ChooseFixedColor(FixedColor which, const QColor& current);
  void ShowGradientReadout(int index);
  void ShowMouseReadout(QPoint pos);
  void ToggleAnimation();
  void ShowInformation();
  void OpenMultiLineEditor(ExpressionField field);
  void RunCommand(ToolCommand command);

  // Navigation and filters (fmVorlaNavigation.cpp).
  PixelRect ShapeBand(const PixelRect& band, Qt::MouseButtons buttons);
  void BandMoved(const PixelRect& band);
  void BandReleased(const PixelRect& band, Qt::MouseButton button);
  void PictureResized();
  void PanBy(int dx, int dy);
  void SetViewAndRecalculate(const ViewBounds& bounds);
  void RunViewCommand(ViewCommand command);
  void SwapRangeTexts(ExpressionField a, ExpressionField b);
  void FilterToggled(FilterSide side, bool on);
  void WriteViewToRangeFields();

  std::filesystem::path filesFolder_;
  QString documentToOpen_;

  MainToolBar* toolBar_ = nullptr;
  PropertiesPanel* panel_ = nullptr;
  TGradEditM* gradientEditor_ = nullptr;
  TGradientLibraryBox* gradientLibrary_ = nullptr;
  TPaintBoxM* pictureBox_ = nullptr;
  ElidedLabel* status_ = nullptr;
  ProgressBox* progressBox_ = nullptr;
  TFMemo* report_ = nullptr;
  FormulaSpy* spy_ = nullptr;
  TfmExportar* fmExportar = nullptr;
  TfmAjusCol* fmAjusCol = nullptr;
  TfmMozaico* fmMozaico = nullptr;

  PlotSession session_;
  Bitmap picture_;
  FilterPicker filters_;
  PaletteAnimation* animation_ = nullptr;
  std::unique_ptr<DocumentBinder> binder_;
  DocumentCommands* documents_ = nullptr;

  bool rightDrag_ = false;
  std::optional<float> valueUnderMouse_;  // empty where f fails
  bool starting_ = true;
  bool loading_ = false;
  bool replacing_ = false;     // a command loaded or undid a document
  bool aboutPending_ = false;  // the start-up text waits for its picture
  int calculationCount_ = 0;
  CalculationRunner* runner_ = nullptr;
  TypingCalculation* typing_ = nullptr;
  bool compilingTypedTexts_ = false;  // a typed text compiling is no change of the document yet
  QShortcut* cancelKey_ = nullptr;  // Esc, enabled while calculating
  std::shared_ptr<Request> request_;  // the calculation in flight
  std::optional<ViewBounds> pictureView_;  // the view the picture shows
};

}  // namespace vorla
