#include "gui/export/frmExportar.h"

#include <QCheckBox>
#include <QClipboard>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressDialog>
#include <QShortcut>
#include <QPushButton>
#include <QSlider>
#include <QSpinBox>
#include <QVBoxLayout>

#include <cstdint>
#include <functional>
#include <new>
#include <string_view>

#include "core/io/ImageWriter.h"
#include "core/io/PictureLimits.h"
#include "core/plot/PaletteCycle.h"
#include "core/plot/RenderDocument.h"
#include "core/plot/RenderToFile.h"
#include "gui/common/CoreColor.h"
#include "gui/common/CoreText.h"
#include "gui/common/FormUtils.h"
#include "gui/common/HelpTopics.h"
#include "gui/help/HelpContext.h"
#include "gui/help/HelpWindow.h"
#include "gui/plot/CalculationRunner.h"

namespace vorla {
namespace {

constexpr int kMaxSize = 32000;

QString CompressionText(int position) { return QStringLiteral("Compresión: %1%").arg(position); }

template <class Control>
Control* Named(Control* control, const char* objectName, const QString& accessibleName) {
  control->setObjectName(QString::fromLatin1(objectName));
  control->setAccessibleName(accessibleName);
  return control;
}

}  // namespace

TfmExportar::TfmExportar(ExportHost host, QWidget* parent) : QDialog(parent), host_(std::move(host)) {
  setObjectName(QStringLiteral("fmExportar"));
  setWindowTitle(QStringLiteral("Exportar"));

  sizeGroup_ = Named(new QGroupBox(QStringLiteral("Tamaño"), this), "GroupBox2", QStringLiteral("Tamaño"));
  spnAncho = Named(new QSpinBox, "spnAncho", QStringLiteral("Ancho"));
  spnAlto = Named(new QSpinBox, "spnAlto", QStringLiteral("Alto"));
  for (QSpinBox* field : {spnAncho, spnAlto}) {
    field->setRange(0, kMaxSize);
    field->setValue(128);
  }
  auto* label2 = Named(new QLabel(QStringLiteral("X")), "Label2", QStringLiteral("X"));
  chkAspecto = Named(new QCheckBox(QStringLiteral("Mantener aspecto")), "chkAspecto",
                     QStringLiteral("Mantener aspecto"));
  chkAspecto->setChecked(true);
  auto* sizeLayout = new QGridLayout(sizeGroup_);
  sizeLayout->addWidget(spnAncho, 0, 0);
  sizeLayout->addWidget(label2, 0, 1, Qt::AlignCenter);
  sizeLayout->addWidget(spnAlto, 0, 2);
  sizeLayout->addWidget(chkAspecto, 1, 0, 1, 3);

  jpegGroup_ = Named(new QGroupBox(QStringLiteral("JPEG"), this), "GroupBox1", QStringLiteral("JPEG"));
  compressionLabel_ = Named(new QLabel(CompressionText(20)), "Label1", QStringLiteral("Compresión"));
  progressiveBox_ = Named(new QCheckBox(QStringLiteral("Progresivo")), "CheckBox1", QStringLiteral("Progresivo"));
  compressionSlider_ = Named(new QSlider(Qt::Horizontal), "TrackBar1", QStringLiteral("Compresión"));
  compressionSlider_->setRange(1, 100);
  compressionSlider_->setValue(20);
  compressionSlider_->setTickInterval(5);
  compressionSlider_->setTickPosition(QSlider::TicksBelow);
  auto* jpegLayout = new QGridLayout(jpegGroup_);
  jpegLayout->addWidget(compressionLabel_, 0, 0);
  jpegLayout->addWidget(progressiveBox_, 0, 1, Qt::AlignRight);
  jpegLayout->addWidget(compressionSlider_, 1, 0, 1, 2);

  const CancelAcceptButtons buttons = MakeCancelAcceptButtons();

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(sizeGroup_);
  layout->addWidget(jpegGroup_);
  layout->addLayout(buttons.row);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  SaveDialog1 = Named(new QFileDialog(this), "SaveDialog1", QStringLiteral("Exportar"));
  SaveDialog1->setAcceptMode(QFileDialog::AcceptSave);
  SaveDialog1->setFileMode(QFileDialog::AnyFile);
  QStringList filters;
  for (const ExportFileTypeInfo& type : ExportFileTypes()) filters << QString::fromStdString(ExportFilter(type));
  for (const FigureFileType& type : kFigureFileTypes) filters << QString::fromUtf8(type.filter);
  SaveDialog1->setNameFilters(filters);

  connect(spnAncho, &QSpinBox::valueChanged, this, &TfmExportar::spnAnchoChange);
  connect(spnAlto, &QSpinBox::valueChanged, this, &TfmExportar::spnAltoChange);
  connect(chkAspecto, &QCheckBox::clicked, this, &TfmExportar::spnAnchoChange);
  connect(compressionSlider_, &QSlider::valueChanged, this, &TfmExportar::CompressionChanged);
  connect(buttons.cancel, &QPushButton::clicked, this, &QDialog::reject);
  connect(buttons.accept, &QPushButton::clicked, this, &TfmExportar::AcceptClicked);
  connect(new QShortcut(QKeySequence(Qt::Key_F1), this), &QShortcut::activated, this,
          [this] { HelpWindow::ShowContext(HelpContextOf(this), this); });
}

ExportFileType TfmExportar::FileType() const {
  const qsizetype index = SaveDialog1->nameFilters().indexOf(SaveDialog1->selectedNameFilter());
  return static_cast<ExportFileType>(index < 0 ? 1 : index + 1);
}

std::optional<FigureFileType> TfmExportar::ChosenFigure() const {
  return FigureFileTypeOf(SaveDialog1->selectedNameFilter());
}

bool TfmExportar::Execute(Mirrors mirrors, bool toClipboard) {
  mirrors_ = mirrors;
  toClipboard_ = toClipboard;
  produced_ = false;
  SetHelpContext(*this, static_cast<int>(toClipboard ? HelpContext::kCopy : HelpContext::kExport));
  if (toClipboard) {
    setWindowTitle(QStringLiteral("Copiar"));
  } else {
    if (!AskFileName()) return false;
    const std::optional<FigureFileType> figure = ChosenFigure();
    const std::string_view caption =
        figure ? std::string_view(figure->caption) : ExportFileTypeOf(FileType()).caption;
    setWindowTitle(QString::fromUtf8(caption.data(), static_cast<qsizetype>(caption.size())));
  }
  sizeGroup_->setTitle(mirrors.Any() ? QStringLiteral("Tamaño: (Incluye reflejos)") : QStringLiteral("Tamaño:"));
  jpegGroup_->setVisible(!toClipboard && !ChosenFigure() && TakesJpegOptions(FileType()));
  const QSize box = host_.pictureBoxSize();
  base_ = ExportBaseSize({box.width(), box.height()}, mirrors);
  spnAncho->setValue(base_.width);
  spnAlto->setValue(base_.height);
  exec();
  return produced_;
}

bool TfmExportar::AskFileName() {
  SaveDialog1->setWindowTitle(QStringLiteral("Exportar"));
  const QString document = host_.documentFileName();
  if (!document.isEmpty()) {
    const QFileInfo info(document);
    SaveDialog1->setDirectory(info.absolutePath());
    SaveDialog1->selectFile(info.completeBaseName());
  }
  if (SaveDialog1->exec() != QDialog::Accepted || SaveDialog1->selectedFiles().isEmpty()) return false;
  fileName_ = SaveDialog1->selectedFiles().front();
  return true;
}

// The field the user changed is never rewritten by the other one's rule:
// typing digit by digit would otherwise have them round each other.
void TfmExportar::spnAnchoChange() {
  if (applyingAspect_ || !chkAspecto->isChecked() || spnAncho->cleanText().isEmpty()) return;
  applyingAspect_ = true;
  spnAlto->setValue(KeptAspect(spnAncho->value(), base_.width, base_.height));
  applyingAspect_ = false;
}

void TfmExportar::spnAltoChange() {
  if (applyingAspect_ || !chkAspecto->isChecked() || spnAlto->cleanText().isEmpty()) return;
  applyingAspect_ = true;
  spnAncho->setValue(KeptAspect(spnAlto->value(), base_.height, base_.width));
  applyingAspect_ = false;
}

void TfmExportar::CompressionChanged() { compressionLabel_->setText(CompressionText(compressionSlider_->value())); }

void TfmExportar::AcceptClicked() {
  if (spnAncho->cleanText().isEmpty() || spnAlto->cleanText().isEmpty()) return;
  const PictureSize calculated = CalculatedSize({spnAncho->value(), spnAlto->value()}, mirrors_);
  if (calculated.width <= 0 || calculated.height <= 0) {
    AppMessageBox(this,
                  mirrors_.Any() ? QStringLiteral("La imagen no puede tener 0 pixels de ancho ni de alto: con "
                                                  "reflejos, cada medida reflejada debe ser de al menos 2 pixels.")
                                 : QStringLiteral("La imagen no puede tener 0 pixels de ancho ni de alto."),
                  QMessageBox::Warning);
    return;
  }
  accept();
  produced_ = Produce();
}

bool TfmExportar::Produce() {
  if (const std::optional<FigureFileType> figure = ChosenFigure(); figure && !toClipboard_)
    return WriteFigureFile(figure->format);
  if (!toClipboard_ && InBands()) return RenderInBands();
  Bitmap picture;
  if (!Calculate(picture)) return false;
  if (toClipboard_) {
    // Qt offers the image to other programs in the platform's bitmap and PNG formats.
    QGuiApplication::clipboard()->setImage(ToIndexedImage(picture));
    return true;
  }
  return WriteFile(picture);
}

bool TfmExportar::InBands() const {
  // A mirrored picture and the animation are made whole.
  return !mirrors_.Any() && FileType() != ExportFileType::kAnimatedGif &&
         RendersInBands(spnAncho->value(), spnAlto->value(), FormatOf(FileType()));
}

namespace {

// The job on a worker of its own, with the progress box's modal loop as the
// wait: the box closes when the job ends, and closing it (Esc, Cancelar)
// stops the job. Rethrows the job's failure; false when it was stopped.
bool RunWithProgress(QWidget* owner, const QString& title, const JobWork& work) {
  QProgressDialog progress(QStringLiteral("Calculando la imagen..."), QStringLiteral("Cancelar"), 0, 100, owner);
  progress.setObjectName(QStringLiteral("ExportProgress"));
  progress.setWindowTitle(title);
  progress.setWindowModality(Qt::WindowModal);
  progress.setAutoClose(false);
  progress.setAutoReset(false);
  CalculationRunner runner;
  JobEnd end = JobEnd::kStopped;
  std::exception_ptr failure;
  QObject::connect(&runner, &CalculationRunner::progressed, &progress,
                   [&progress](quint64, int percent) { progress.setValue(percent); });
  QObject::connect(&runner, &CalculationRunner::finished, &progress,
                   [&](quint64, JobEnd jobEnd, const std::exception_ptr& jobFailure) {
                     end = jobEnd;
                     failure = jobFailure;
                     progress.accept();
                   });
  runner.Start(work);
  if (progress.exec() != QDialog::Accepted) {
    runner.Cancel();
    // The job refers to the caller's picture: it must be over before the
    // caller goes on. It stops within a row.
    runner.WaitIdle();
    QCoreApplication::sendPostedEvents(&runner);
  }
  if (failure) std::rethrow_exception(failure);
  return end == JobEnd::kFinished;
}

}  // namespace

bool TfmExportar::WithProgress(const std::function<void()>& check, const JobWork& work) {
  QWidget* owner = parentWidget() != nullptr ? parentWidget() : this;
  const PictureSize requested{spnAncho->value(), spnAlto->value()};
  try {
    if (check) check();
    if (!RunWithProgress(owner, windowTitle(), work)) return false;
  } catch (const RenderError& e) {
    AppMessageBox(owner, FromCore(e.what()), QMessageBox::Warning);
    return false;
  } catch (const PictureSizeError& e) {
    AppMessageBox(owner, FromCore(e.what()), QMessageBox::Warning);
    return false;
  } catch (const std::length_error&) {
    AppMessageBox(owner,
                  QStringLiteral("La imagen de %1 x %2 pixels es demasiado grande.")
                      .arg(requested.width)
                      .arg(requested.height),
                  QMessageBox::Warning);
    return false;
  } catch (const std::bad_alloc&) {
    AppMessageBox(owner, QStringLiteral("No hay memoria suficiente para una imagen de %1 x %2 pixels.")
                             .arg(requested.width)
                             .arg(requested.height),
                  QMessageBox::Warning);
    return false;
  }
  return true;
}

bool TfmExportar::Calculate(Bitmap& picture) {
  const PictureSize requested{spnAncho->value(), spnAlto->value()};
  const PlotDocument document = host_.document();
  const Palette palette = host_.palette();
  return WithProgress(
      // Refused at once, before any work, when the picture cannot be made or written.
      [&] { CheckPictureSize(requested.width, requested.height, toClipboard_ ? ImageFormat::kPng : FormatOf(FileType())); },
      [&](const JobContext& job) {
        std::optional<Bitmap> rendered = RenderExportPicture(document, palette, requested, mirrors_, job.progress, job.stop);
        if (rendered) picture = std::move(*rendered);
        return rendered.has_value();
      });
}

bool TfmExportar::RenderInBands() {
  const ExportFileType type = FileType();
  const PictureSize requested{spnAncho->value(), spnAlto->value()};
  const PictureFile file{ExportFileName(QFile::encodeName(fileName_).toStdString(), type), Options(),
                         ExportDocumentText(host_.document(), requested, mirrors_), host_.palette()};
  const PlotDocument document = host_.document();
  bool written = false;
  try {
    written = WithProgress(
        [&] {
          CheckBandedPictureSize(requested.width, requested.height, FormatOf(type), BandRows(requested.width),
                                 file.jpeg);
          host_.showStatus(QStringLiteral("Guardando archivo"));
        },
        [&](const JobContext& job) {
          return RenderDocumentToFile(document, requested.width, requested.height, std::nullopt, file, job.progress, 0,
                                      0, job.stop)
              .has_value();
        });
  } catch (const ImageWriteError& e) {
    AppMessageBox(parentWidget() != nullptr ? parentWidget() : this, ErrorText(e), QMessageBox::Critical);
  }
  host_.showStatus(written ? QStringLiteral("Listo") : QStringLiteral("No se guardó la imagen"));
  return written;
}

JpegOptions TfmExportar::Options() const {
  return JpegOptions{FileType() == ExportFileType::kJpegGray, JpegQuality(compressionSlider_->value()), progressiveBox_->isChecked()};
}

bool TfmExportar::WriteFile(const Bitmap& picture) {
  const ExportFileType type = FileType();
  const std::filesystem::path path = ExportFileName(QFile::encodeName(fileName_).toStdString(), type);
  host_.showStatus(QStringLiteral("Guardando archivo"));
  bool written = false;
  try {
    const JpegOptions options = Options();
    const PictureSize requested{spnAncho->value(), spnAlto->value()};
    const int speed = host_.document().Vel;
    const std::string text = ExportDocumentText(host_.document(), requested, mirrors_);
    // Writing takes a while too (an animation's frames, a large picture's
    // compression): on the service, stopped by Esc like the calculation.
    written = WithProgress({}, [&](const JobContext& job) {
      if (type == ExportFileType::kAnimatedGif) return WriteCycleGif(picture, speed, path, job.stop);
      return WriteImage(picture, path, options, text, job.stop);
    });
  } catch (const AnimationSpeedError& e) {
    host_.showStatus(QStringLiteral("No se guardó la imagen"));
    AppMessageBox(parentWidget() != nullptr ? parentWidget() : this, ErrorText(e), QMessageBox::Warning);
    return false;
  } catch (const ImageWriteError& e) {
    host_.showStatus(QStringLiteral("No se guardó la imagen"));
    AppMessageBox(parentWidget() != nullptr ? parentWidget() : this, ErrorText(e), QMessageBox::Critical);
    return false;
  }
  host_.showStatus(written ? QStringLiteral("Listo") : QStringLiteral("No se guardó la imagen"));
  return written;
}

bool TfmExportar::WriteFigureFile(FigureFormat format) {
  const PictureSize requested{spnAncho->value(), spnAlto->value()};
  const PlotDocument document = host_.document();
  const Palette palette = host_.palette();
  std::optional<FigureContent> figure;
  const bool calculated = WithProgress(
      // The picture goes into the figure as a PNG.
      [&] { CheckPictureSize(requested.width, requested.height, ImageFormat::kPng); },
      [&](const JobContext& job) {
        figure = CalculateFigure(document, requested.width, requested.height, std::nullopt, palette, job.progress,
                                 job.stop);
        return figure.has_value();
      });
  if (!calculated) return false;
  host_.showStatus(QStringLiteral("Guardando archivo"));
  try {
    WriteFigure(*figure, FigureFileName(QFile::encodeName(fileName_).toStdString(), format), format);
  } catch (const ImageWriteError& e) {
    host_.showStatus(QStringLiteral("No se guardó la imagen"));
    AppMessageBox(parentWidget() != nullptr ? parentWidget() : this, ErrorText(e), QMessageBox::Critical);
    return false;
  }
  host_.showStatus(QStringLiteral("Listo"));
  return true;
}

}  // namespace vorla
