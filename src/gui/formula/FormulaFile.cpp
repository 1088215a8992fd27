#include "gui/formula/FormulaFile.h"

#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QScreen>
#include <QSvgGenerator>

#include <exception>

#include "core/expr/Typeset.h"
#include "core/io/FileError.h"
#include "core/io/ImageRows.h"
#include "core/io/PictureLimits.h"
#include "core/io/SafeFileOutput.h"
#include "core/io/TextEncoding.h"
#include "gui/formula/FormulaPicture.h"

namespace vorla {
namespace {

bool WriteSvg(const QPicture& picture, QIODevice& device) {
  QSvgGenerator svg;
  svg.setOutputDevice(&device);
  svg.setSize(picture.boundingRect().size());
  svg.setViewBox(picture.boundingRect());
  svg.setResolution(QGuiApplication::primaryScreen()->logicalDotsPerInch());
  svg.setTitle("Vorlascope");
  QPainter painter;
  if (!painter.begin(&svg)) return false;
  painter.drawPicture(0, 0, picture);
  return painter.end();
}

// Raises PictureSizeError when the memory for the picture is refused.
bool WritePng(const QPicture& picture, QIODevice& device) {
  const QSize size = picture.boundingRect().size();
  QImage image(size, QImage::Format_ARGB32_Premultiplied);
  if (image.isNull()) throw NoMemoryFor(size.width(), size.height());
  image.fill(Qt::transparent);
  QPainter painter(&image);
  painter.drawPicture(0, 0, picture);
  painter.end();
  return image.save(&device, "PNG");
}

// The picture through a temporary file renamed over the target once whole;
// raises the writers' errors.
void WritePicture(const QPicture& picture, bool svg, const std::string& path) {
  SafeFileOutput out(path, ImageFileFailure);
  QFile file;
  const bool written = file.open(out.File(), QIODevice::WriteOnly, QFileDevice::DontCloseHandle) &&
                 (svg ? WriteSvg(picture, file) : WritePng(picture, file));
  file.close();
  if (!written) out.Fail("no se pudo escribir la f\xF3rmula");
  out.Commit();
}

}  // namespace

void EnsureGuiApplication() {
  if (QCoreApplication::instance() != nullptr) return;
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  static int argc = 1;
  static char name[] = "vorlascope-cli";
  static char* argv[] = {name, nullptr};
  static QGuiApplication application(argc, argv);
}

FormulaFileResult WriteFormulaFile(const TEval& root, int size, const std::string& path) {
  const QString suffix = QFileInfo(QString::fromStdString(path)).suffix().toLower();
  if (suffix != "svg" && suffix != "png") return {FormulaFileStatus::kUnknownFormat, {}};
  EnsureGuiApplication();
  const TPictureSize extent = FormulaExtent(root, size);
  if (!FitsFormulaLimits(extent)) return {FormulaFileStatus::kTooLarge, Cp1252ToUtf8(FormulaTooLargeText(extent))};
  const std::unique_ptr<QPicture> picture = FormulaPicture(&root, size);
  try {
    WritePicture(*picture, suffix == "svg", path);
  } catch (const std::exception& e) {
    return {FormulaFileStatus::kWriteFailed, Utf8Message(e)};
  }
  return {};
}

}  // namespace vorla
