// vorlascope: the desktop program. The first command-line parameter, if any,
// is a document opened when the window first shows.

#include <QApplication>

#include "gui/plot/AppLocale.h"
#include "gui/plot/fmVorla.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Vorlascope"));
  vorla::UseDotDecimalSeparator();
  const QStringList arguments = QApplication::arguments();
  vorla::TFVorla window(nullptr, {}, arguments.size() > 1 ? arguments.at(1) : QString());
  window.show();
  return app.exec();
}
