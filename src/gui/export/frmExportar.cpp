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

#include <array>
#include <cstdint>
#include <functional>
#include <new>

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

namespace vorla {
namespace {

constexpr int kMaxSize = 32000;

// In the order of ExportFileType.
struct FileTypeText {
  const char* filter;
  const char* caption;
};
constexpr std::array<FileTypeText, 5> kFileTypes{{
    {"JPG - JPEG color 24 bits (*.jpg)", "Exportar JPEG 24 bits"},
    {"JPG - JPEG Escala de grises (*.jpg)", "Exportar JPEG Escala de grises"},
    {"BMP - Bitmap Windows (*.bmp)", "Exportar Bitmap"},
    {"PNG - Imagen PNG 8 bits (*.png)", "Exportar PNG"},
    {"GIF - GIF animado (*.gif)", "Exportar GIF animado"},
}};

const FileTypeText& TextsOf(ExportFileType type) { return kFileTypes[static_cast<std::size_t>(type) - 1]; }

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
  for (const FileTypeText& type : kFileTypes) filters << QString::fromUtf8(type.filter);
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

bool TfmExportar::Execute(Mirrors mirrors, bool toClipboard) {
  mirrors_ = mirrors;
  toClipboard_ = toClipboard;
  produced_ = false;
  SetHelpContext(*this, static_cast<int>(toClipboard ? HelpContext::kCopy : HelpContext::kExport));
  if (toClipboard) {
    setWindowTitle(QStringLiteral("Copiar"));
  } else {
    if (!AskFileName()) return false;
    setWindowTitle(QString::fromUtf8(TextsOf(FileType()).caption));
  }
  sizeGroup_->setTitle(mirrors.Any() ? QStringLiteral("Tamaño: (Incluye reflejos)") : QStringLiteral("Tamaño:"));
  jpegGroup_->setVisible(!toClipboard && TakesJpegOptions(FileType()));
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

bool TfmExportar::WithProgress(const std::function<void(const RowProgress&)>& work) {
  QWidget* owner = parentWidget() != nullptr ? parentWidget() : this;
  QProgressDialog progress(QStringLiteral("Calculando la imagen..."), QStringLiteral("Cancelar"), 0, 100, owner);
  progress.setObjectName(QStringLiteral("ExportProgress"));
  progress.setWindowTitle(windowTitle());
  progress.setWindowModality(Qt::WindowModal);
  progress.setMinimumDuration(300);
  // Esc closes the box wherever the focus is in it; closed is cancelled.
  connect(&progress, &QDialog::rejected, &progress, &QProgressDialog::cancel);
  const PictureSize requested{spnAncho->value(), spnAlto->value()};
  try {
    work([&](int done, int rows) {
      progress.setValue(static_cast<int>(std::int64_t{done} * 100 / rows));
      if (progress.wasCanceled()) throw CalculationCancelled();
    });
  } catch (const CalculationCancelled&) {
    return false;
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
  return WithProgress([&](const RowProgress& progress) {
    // Refused at once, before any work, when the picture cannot be made or written.
    CheckPictureSize(requested.width, requested.height, toClipboard_ ? ImageFormat::kPng : FormatOf(FileType()));
    picture = RenderExportPicture(host_.document(), host_.palette(), requested, mirrors_, progress);
  });
}

bool TfmExportar::RenderInBands() {
  const ExportFileType type = FileType();
  const PictureSize requested{spnAncho->value(), spnAlto->value()};
  const PictureFile file{ExportFileName(QFile::encodeName(fileName_).toStdString(), type), Options(),
                         ExportDocumentText(host_.document(), requested, mirrors_), host_.palette()};
  bool written = false;
  try {
    written = WithProgress([&](const RowProgress& progress) {
      CheckBandedPictureSize(requested.width, requested.height, FormatOf(type), BandRows(requested.width),
                             file.jpeg);
      host_.showStatus(QStringLiteral("Guardando archivo"));
      RenderDocumentToFile(host_.document(), requested.width, requested.height, std::nullopt, file, progress);
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
  try {
    const JpegOptions options = Options();
    const PictureSize requested{spnAncho->value(), spnAlto->value()};
    if (type == ExportFileType::kAnimatedGif)
      WriteCycleGif(picture, host_.document().Vel, path);
    else
      FormatInfo(FormatOf(type)).write(picture, path, options, ExportDocumentText(host_.document(), requested, mirrors_));
  } catch (const AnimationSpeedError& e) {
    host_.showStatus(QStringLiteral("No se guardó la imagen"));
    AppMessageBox(parentWidget() != nullptr ? parentWidget() : this, ErrorText(e), QMessageBox::Warning);
    return false;
  } catch (const ImageWriteError& e) {
    host_.showStatus(QStringLiteral("No se guardó la imagen"));
    AppMessageBox(parentWidget() != nullptr ? parentWidget() : this, ErrorText(e), QMessageBox::Critical);
    return false;
  }
  host_.showStatus(QStringLiteral("Listo"));
  return true;
}

}  // namespace vorla
