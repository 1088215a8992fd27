// The main window's calculation: compiling the expressions, starting the
// picture or its pan strips on the calculation service, and showing the
// result when it comes back. The window's thread never calculates: it
// starts a request, goes on handling events, and takes the picture when the
// service says the job finished.

#include <QLabel>
#include <QShortcut>

#include <algorithm>
#include <memory>
#include <new>
#include <utility>

#include "core/expr/Expresion.h"
#include "core/gradient/GradTable.h"
#include "core/io/NumberText.h"
#include "core/plot/IndexedPicture.h"
#include "gui/common/CoreText.h"
#include "gui/common/FormUtils.h"
#include "gui/gradient/GradEditM.h"
#include "gui/mosaic/frmMozaico.h"
#include "gui/plot/AboutText.h"
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

// The calculation in flight: its job, and the view its picture will show.
struct TFVorla::Request {
  JobId id = 0;
  // Shared with the worker, which may still be running a replaced one.
  std::shared_ptr<PlotSession::Job> job;
  ViewBounds view;
  int rects = 1;  // calculated one after the other: the whole picture, or pan strips
  // Calculations for the window's first size are no change of the user's;
  // a document loaded or undone to is marked (or not) by its command.
  bool marksModified = true;
  bool pushesUndo = true;
  // A preview of texts being typed, which a newer text makes pointless.
  bool typingPreview = false;
};

void TFVorla::ApplyAndCalculate() {
  session_.Compile(binder_->Read());
  if (ReportCompileError()) return;
  SetView(pictureBox_->Scale(), session_.RangeBounds());
  CalculatePicture();
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

void TFVorla::CalculatePicture() {
  if (loading_ || ReportCompileError()) return;
  // After a calculation the fields no longer hold typing of the user's: the
  // view they stand for is the one on screen.
  panel_->ForgetRangeTyping();
  const QSize size = PictureSize();
  StartCalculation(Bitmap(size.width(), size.height(), 8), {});
}

// A preview shows its picture only: the undo history, the modified flag and
// the range fields' typing are left as they were.
void TFVorla::CalculateWhileTyping() {
  if (loading_ || starting_) return;
  PlotDocument typed = binder_->Read();
  // Only the function and the scale follow the typing; the range stays as
  // last applied, whatever its fields hold.
  typed.Xmin = session_.Expression(PlotExpressions::kXmin).Text();
  typed.Ymin = session_.Expression(PlotExpressions::kYmin).Text();
  typed.Xmax = session_.Expression(PlotExpressions::kXmax).Text();
  typed.Ymax = session_.Expression(PlotExpressions::kYmax).Text();
  // Texts set rather than typed (a document shown, an undo) come with their
  // own calculation.
  if (typed.Func == session_.Expression(PlotExpressions::kFunc).Text() &&
      typed.Zmin == session_.Expression(PlotExpressions::kZmin).Text() &&
      typed.Zmax == session_.Expression(PlotExpressions::kZmax).Text())
    return;
  PlotExpressions trial;
  trial.Compile(typed);
  if (const auto failure = trial.CheckExpressions()) {
    ShowStatus(FromCore(failure->message));
    return;
  }
  compilingTypedTexts_ = true;
  session_.Compile(typed);
  compilingTypedTexts_ = false;
  const QSize size = PictureSize();
  StartCalculation(Bitmap(size.width(), size.height(), 8), {}, CalculationPurpose::kTypingPreview);
}

void TFVorla::DropTypingPreview() {
  if (!request_ || !request_->typingPreview) return;
  request_.reset();
  runner_->Cancel();
  cancelKey_->setEnabled(false);
  RestorePicture(QString());
}

void TFVorla::CalculateStrips(const Bitmap& shifted, std::vector<PixelRect> strips) {
  if (loading_ || ReportCompileError()) return;
  StartCalculation(shifted, std::move(strips));
}

// A newer request replaces the one in flight, whose end is then ignored.
void TFVorla::StartCalculation(const Bitmap& base, std::vector<PixelRect> rects, CalculationPurpose purpose) {
  if (base.Empty()) return;
  if (!starting_) aboutPending_ = false;
  ShowStatus(QString::fromLatin1(kCalculating));
  progressBox_->SetPercent(0);
  auto request = std::make_shared<Request>();
  request->view = BoundsOf(pictureBox_->Scale());
  request->rects = std::max<int>(1, static_cast<int>(rects.size()));
  request->typingPreview = purpose == CalculationPurpose::kTypingPreview;
  request->marksModified = !starting_ && !replacing_ && !request->typingPreview;
  request->pushesUndo = !starting_ && !request->typingPreview;
  request->job = session_.NewJob(base, std::move(rects), request->view, IndexSettings::From(binder_->Read()));
  request->id = runner_->Start([job = request->job](const JobContext& context) { return job->Run(context); });
  request_ = std::move(request);
  cancelKey_->setEnabled(true);
}

void TFVorla::CalculationProgressed(quint64 id, int percent) {
  if (request_ && request_->id == id) progressBox_->SetPercent(percent);
}

void TFVorla::CalculationFinished(quint64 id, JobEnd end, const std::exception_ptr& failure) {
  if (!request_ || request_->id != id) return;  // replaced or cancelled by Esc
  const std::shared_ptr<Request> request = std::move(request_);
  cancelKey_->setEnabled(false);
  switch (end) {
    case JobEnd::kFinished: TakePicture(*request); break;
    case JobEnd::kStopped: break;  // only ever by a newer request, which is request_
    case JobEnd::kFailed: ReportCalculationFailure(failure); break;
  }
}

void TFVorla::TakePicture(Request& request) {
  animation_->PictureRecalculated();
  picture_ = std::move(request.job->picture);
  pictureView_ = request.view;
  const PictureStats& stats = session_.Finish(*request.job);
  calculationCount_ += request.rects;
  RefreshPalette(picture_, gradientEditor_->Table().Palette());
  if (aboutPending_) {
    DrawAboutText(picture_, AboutText(), pictureBox_->devicePixelRatio());
    aboutPending_ = false;
  }
  if (request.marksModified) documents_->SetModified(true);
  if (request.pushesUndo) documents_->PushUndo();
  panel_->ShowFoundRange(QString::fromStdString(FormatG(stats.shownMin, 6)),
                         QString::fromStdString(FormatG(stats.shownMax, 6)));
  ShowStatus(FromCore(stats.infoText));
  pictureBox_->ShowPicture(picture_);
  fmMozaico->RefreshIfShown();
}

// Not a failure of the expressions (those paint the background colour):
// memory ran out, a thread could not start, or worse. The picture and its
// view stay as they were.
void TFVorla::ReportCalculationFailure(const std::exception_ptr& failure) {
  bool memory = false;
  try {
    std::rethrow_exception(failure);
  } catch (const std::bad_alloc&) {
    memory = true;
  } catch (...) {
  }
  RestorePicture(QString());
  AppMessageBox(this, memory ? QStringLiteral("No hay memoria suficiente para calcular la imagen.")
                             : QStringLiteral("No se pudo calcular la imagen."),
                QMessageBox::Critical);
}

// Esc: whatever requests came before, the picture on screen goes back to
// the last one calculated, and the view to the one it shows.
void TFVorla::CancelCalculation() {
  if (!request_) return;
  request_.reset();
  runner_->Cancel();
  cancelKey_->setEnabled(false);
  RestorePicture(QStringLiteral("Cálculo cancelado"));
}

void TFVorla::RestorePicture(const QString& status) {
  if (pictureView_) SetView(pictureBox_->Scale(), *pictureView_);
  pictureBox_->ShowPicture(picture_);
  ShowStatus(status);
  progressBox_->SetPercent(0);
}

}  // namespace vorla
