// vorla_render_icon SVG SIZE OUT.png: a square PNG of the application icon,
// made at build time so that the PNG sizes never drift from the SVG.

#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>

#include <cstdio>

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "uso: vorla_render_icon ICONO.svg TAMAÑO SALIDA.png\n");
    return 2;
  }
  qputenv("QT_QPA_PLATFORM", "offscreen");  // the build has no screen
  QGuiApplication app(argc, argv);
  QSvgRenderer svg(QString::fromLocal8Bit(argv[1]));
  bool sized = false;
  const int size = QByteArray(argv[2]).toInt(&sized);
  if (!svg.isValid() || !sized || size <= 0) {
    std::fprintf(stderr, "vorla_render_icon: no se puede leer %s o el tamaño %s\n", argv[1], argv[2]);
    return 1;
  }
  QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter painter(&image);
  svg.render(&painter);
  painter.end();
  if (!image.save(QString::fromLocal8Bit(argv[3]), "PNG")) {
    std::fprintf(stderr, "vorla_render_icon: no se puede escribir %s\n", argv[3]);
    return 1;
  }
  return 0;
}
