// vorlascope: the desktop program.

#include <QApplication>

#include "gui/plot/AppLocale.h"
#include "gui/plot/fmVorla.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Vorlascope"));
  vorla::UseDotDecimalSeparator();
  vorla::TFVorla window;
  window.show();
  return app.exec();
}
