// vorlascope: the desktop program. The first command-line parameter, if any,
// is a document opened when the window first shows.

#include <QApplication>
#include <QLibraryInfo>
#include <QTranslator>

#include "gui/common/Accessibility.h"
#include "gui/common/AppLocale.h"
#include "gui/plot/fmVorla.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Vorlascope"));
  vorla::UseDotDecimalSeparator();
  vorla::InstallAccessibility();
  // The standard buttons and dialogs speak Spanish like the rest of the program.
  QTranslator qtTexts;
  if (qtTexts.load(QStringLiteral("qtbase_es"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
    QApplication::installTranslator(&qtTexts);
  const QStringList arguments = QApplication::arguments();
  vorla::TFVorla window(nullptr, {}, arguments.size() > 1 ? arguments.at(1) : QString());
  window.show();
  return app.exec();
}
