// The main window's calculation: compiling the expressions, calculating the
// picture or a part of it off the window's thread, and showing the result.

#include <QLabel>
#include <QShortcut>

#include <new>
#include <utility>

#include "core/gradient/GradTable.h"
#include "core/io/NumberText.h"
#include "core/plot/IndexedPicture.h"
#include "gui/common/CoreText.h"
#include "gui/common/FormUtils.h"
#include "gui/gradient/GradEditM.h"
#include "gui/mosaic/frmMozaico.h"
#include "gui/plot/CalculationRunner.h"
#include "gui/plot/DocumentBinder.h"
#include "gui/plot/MainToolBar.h"
#include "gui/plot/PaletteAnimation.h"
#include "gui/plot/ProgressBox.h"
#include "gui/plot/PropertiesPanel.h"
#include "gui/plot/fmVorla.h"
#include "gui/view/PaintBoxM.h"

namespace vorla {
namespace {

constexpr char kCalculating[] = "Calculando...";

}  // namespace

void TFVorla::ApplyAndCalculate() {
  session_.Compile(binder_->Read());
  if (ReportCompileError()) return;
  SetView(pictureBox_->Scale(), session_.RangeBounds());
  CalculateRegion({});
  toolBar_->RememberFunction();
  panel_->RememberScaleTexts();
}

// True when it reported a failing expression (the last in the order Func,
// Zmax, Zmin, Xmax, Xmin, Ymax, Ymin) and the caller must stop; silent and
// false while starting, when the calculation goes on and a failed Func
// paints the background colour.
bool TFVorla::ReportCompileError() {
  const std::string message = session_.CompileErrors();
  if (message.empty() || starting_) return false;
  AppMessageBox(this, FromCore(message), QMessageBox::Warning);
  return true;
}

TFVorla::CalculationEnd TFVorla::CalculateRegion(const PixelRect& rect) {
  if (loading_) return CalculationEnd::kNotRun;
  if (ReportCompileError()) return CalculationEnd::kNotRun;
  if (picture_.Width() != pictureBox_->width() || picture_.Height() != pictureBox_->height())
    picture_.Resize(pictureBox_->width(), pictureBox_->height(), 8);
  if (picture_.Empty()) return CalculationEnd::kNotRun;
  ShowStatus(QString::fromLatin1(kCalculating));
  status_->repaint();
  progressBox_->SetPercent(0);
  const bool whole = rect.top == rect.bottom;
  // After a calculation the fields no longer hold typing of the user's: the
  // view they stand for is the one on screen.
  if (whole) panel_->ForgetRangeTyping();
  const ViewBounds view = BoundsOf(pictureBox_->Scale());
  const auto job = session_.NewJob(picture_, rect, view, IndexSettings::From(binder_->Read()));
  if (const CalculationEnd end = RunJob(*job); end != CalculationEnd::kDone) return end;
  animation_->PictureRecalculated();
  picture_ = std::move(job->picture);
  pictureView_ = view;
  const PictureStats& stats = session_.Finish(*job);
  ++calculationCount_;
  RefreshPalette(picture_, gradientEditor_->Table().Palette());
  documents_->SetModified(true);
  if (whole) documents_->PushUndo();
  panel_->ShowFoundRange(QString::fromStdString(FormatG(stats.shownMin, 6)),
                         QString::fromStdString(FormatG(stats.shownMax, 6)));
  if (stats.milliseconds > 0) ShowStatus(FromCore(stats.infoText));
  pictureBox_->ShowPicture(picture_);
  fmMozaico->RefreshIfShown();
  return CalculationEnd::kDone;
}

// Runs a job on its own thread, or in place while the window is built,
// shown or resized (events handled in the middle of those would find it half
// done). Says so when it was cancelled with Esc or failed.
TFVorla::CalculationEnd TFVorla::RunJob(PlotSession::Job& job) {
  const auto progress = [this](int percent) { progressBox_->SetPercent(percent); };
  const bool inBackground = isVisible() && !starting_ && !resizing_;
  runner_->Cancel();  // a newer calculation replaces the one in flight
  cancelKey_->setEnabled(inBackground);
  CalculationRunner::Outcome outcome = CalculationRunner::Outcome::kFinished;
  try {
    if (inBackground)
      outcome = runner_->Run(job, progress);
    else
      job.Run(progress, {});
  } catch (const std::exception& failure) {
    // Not a failure of the expressions (those paint the background colour):
    // memory ran out, or worse. The picture stays as it was.
    cancelKey_->setEnabled(runner_->Busy());
    const bool memory = dynamic_cast<const std::bad_alloc*>(&failure) != nullptr;
    ShowStatus(QString());
    AppMessageBox(this, memory ? QStringLiteral("No hay memoria suficiente para calcular la imagen.")
                               : QStringLiteral("No se pudo calcular la imagen."),
                  QMessageBox::Critical);
    return CalculationEnd::kFailed;
  }
  cancelKey_->setEnabled(runner_->Busy());
  if (outcome != CalculationRunner::Outcome::kCancelled) return CalculationEnd::kDone;
  // A newer calculation has its own picture and view.
  if (!std::exchange(cancelledByUser_, false)) return CalculationEnd::kReplaced;
  // Esc keeps the picture and its view.
  if (pictureView_) SetView(pictureBox_->Scale(), *pictureView_);
  ShowStatus(QStringLiteral("Cálculo cancelado"));
  progressBox_->SetPercent(0);
  return CalculationEnd::kCancelledByUser;
}

}  // namespace vorla
