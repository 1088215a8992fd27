#include "gui/formula/FormulaFile.h"

#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QScreen>
#include <QSvgGenerator>

#include "gui/formula/FormulaPicture.h"

namespace vorla {
namespace {

bool WriteSvg(const QPicture& picture, const QString& path) {
  QSvgGenerator svg;
  svg.setFileName(path);
  svg.setSize(picture.boundingRect().size());
  svg.setViewBox(picture.boundingRect());
  svg.setResolution(QGuiApplication::primaryScreen()->logicalDotsPerInch());
  svg.setTitle("Vorlascope");
  QPainter painter;
  if (!painter.begin(&svg)) return false;
  painter.drawPicture(0, 0, picture);
  return painter.end();
}

bool WritePng(const QPicture& picture, const QString& path) {
  QImage image(picture.boundingRect().size(), QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter painter(&image);
  painter.drawPicture(0, 0, picture);
  painter.end();
  return image.save(path, "PNG");
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
  const QString file = QString::fromStdString(path);
  const QString suffix = QFileInfo(file).suffix().toLower();
  if (suffix != "svg" && suffix != "png") return FormulaFileResult::kUnknownFormat;
  EnsureGuiApplication();
  const std::unique_ptr<QPicture> picture = FormulaPicture(&root, size);
  const bool written = suffix == "svg" ? WriteSvg(*picture, file) : WritePng(*picture, file);
  return written ? FormulaFileResult::kWritten : FormulaFileResult::kWriteFailed;
}

}  // namespace vorla
